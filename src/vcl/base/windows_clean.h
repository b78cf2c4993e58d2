#pragma once
// <windows.h> without the macros that would rename methods of the layer (TCanvas::TextOut,
// TCanvas::DrawText, TApplication::MessageBox, TStrings::GetObject). Files that use both the
// layer and the Win32 API include this instead of <windows.h> and call the W functions by name.
#include <windows.h>

#undef TextOut
#undef DrawText
#undef MessageBox
#undef GetObject
