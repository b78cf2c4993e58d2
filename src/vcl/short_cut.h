#pragma once
// Shortcuts are the layer's: TShortCut, its modifier bits and ShortCut() live with the control
// types.
#include "vcl/controls_types.h"
