#pragma once
#include "qvr/debug_info.h"
#include "rtl/variant.h"

#include <string>

// The value that path names in snapshot di: a counter by its published name, a system leak's
// count by its name, the number of business-logic leak classes, of a class's stacks ("Class")
// or of a stack's records ("Class\stack text"), or one of the two text sections. Integer 0 for
// a missing snapshot, a path that names nothing, and the tasks kind; a counter name that is no
// published property raises EPropertyError.
Variant GetDebugValue(TDebugInfoObgect kind, const std::string& path, const TDebugInfo* di);
