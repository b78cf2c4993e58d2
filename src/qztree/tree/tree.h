#pragma once
#include "qztree/tree/custom_tree.h"

// The tree control as forms use it: it publishes the options by name.
class TQZTree : public TCustomQZTree {
public:
    explicit TQZTree(TComponent* AOwner) : TCustomQZTree(AOwner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
