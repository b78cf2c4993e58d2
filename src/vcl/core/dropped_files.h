#pragma once
#include "vcl/base/win_types.h"

#include <string>
#include <vector>

// The full names of the files of a shell drop, in the shell's order; the drop is finished
// (DragFinish) in every case. Each name is read with the length the shell reports for it, so
// long paths arrive whole.
std::vector<std::string> TakeDroppedFiles(HDROP drop);
