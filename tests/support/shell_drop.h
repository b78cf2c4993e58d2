#pragma once
#include "vcl/base/win_types.h"

#include <string>
#include <vector>

// A shell drop of files as the shell hands it over: a DROPFILES block with wide names. The
// window that gets it in WM_DROPFILES frees it (DragFinish).
HDROP MakeShellDrop(const std::vector<std::wstring>& names);
