#pragma once
#include "rtl/object.h"

// An object whose state can be copied from another of a kind it understands.
class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Copies the source's state; a source of a kind this class does not know raises
    // EConvertError, after the source had its chance through AssignTo.
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
};
