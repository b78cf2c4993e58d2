#include "qvr/debug_value.h"

#include "rtl/published.h"

namespace {

// Counts along "Class\stack": the stack part is all the rest, since stack texts hold
// backslashes of their own.
int CountBLLLeaks(const TQZSortedNamedObjects& classes, const std::string& path) {
    if (path.empty())
        return classes.Count();
    const size_t slash = path.find('\\');
    const auto* stacks =
        static_cast<TQZSortedNamedObjects*>(classes.GetObjectByName(path.substr(0, slash)));
    if (!stacks)
        return 0;
    if (slash == path.npos || slash + 1 == path.size())
        return stacks->Count();
    const auto* records =
        static_cast<TObjectList*>(stacks->GetObjectByName(path.substr(slash + 1)));
    return records ? records->Count() : 0;
}

} // namespace

Variant GetDebugValue(TDebugInfoObgect kind, const std::string& path, const TDebugInfo* di) {
    if (!di)
        return 0;
    switch (kind) {
    case dioDinamicSystemInfo:
        return int64_t(GetOrdProp(di->DSI, path));
    case dioSystemLeak:
        return int64_t(ObjectToInt(di->SystemLeak.GetObjectByName(path)));
    case dioBLLLeak:
        return CountBLLLeaks(di->BLLLeaks, path);
    case dioDataBaseParams:
        return di->DataBaseParams.str();
    case dioQVRConfig:
        return di->QVRConfig.str();
    default:
        return 0;
    }
}
