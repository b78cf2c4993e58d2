#pragma once
#include "vcl/graphics/colors.h"

class TBitmap;

enum TTreeButtonKind { tbkPlus, tbkMinus, tbkLeaf };

// The 9 x 9 expand buttons of the tree ("PlusBmp", "MinusBmp", "LeafBmp"), drawn in black, grey
// and white and recoloured to the system's text, shadow and window colours.
const TBitmap& TreeButtonBitmap(TTreeButtonKind Kind);
// Takes the system colours again (after a system colour change).
void RecolourTreeButtons();
// Black becomes the text colour, grey the shadow colour, white the window colour.
void ChangeButtonColors(TBitmap& Bitmap, TColor Text = clWindowText, TColor Shadow = clBtnShadow,
                        TColor Window = clWindow);
