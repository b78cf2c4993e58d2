#pragma once
// Short cuts (a key with its modifiers in one number) are kept with the other control types.
#include "vcl/controls_types.h"
