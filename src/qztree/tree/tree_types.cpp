#include "qztree/tree/tree_types.h"

const char* const SQZTreeIndexOutOfBounds = "DaRudo item index out of bounds.";
const char* const SQZTreeItemNotSpecified = "DaRudo item not specified";
const char* const SQZTreeCantMoveToSubitem = "Can't move Item to one of its subitems.";
