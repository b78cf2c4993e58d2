#include "vcl/base/persistent.h"

#include "rtl/exceptions.h"
#include "rtl/published.h"

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TPersistent", &TObject::StaticClassInfo());
    return *info;
}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}
