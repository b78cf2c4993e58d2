#include "vcl/core/dropped_files.h"

#include "rtl/wide_text.h"

#include "vcl/base/windows_clean.h"

#include <shellapi.h>

namespace {
class TDropFinisher {
public:
    explicit TDropFinisher(HDROP drop) : FDrop(drop) {}
    ~TDropFinisher() { DragFinish(FDrop); }
    TDropFinisher(const TDropFinisher&) = delete;
    TDropFinisher& operator=(const TDropFinisher&) = delete;

private:
    HDROP FDrop;
};
} // namespace

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
    TDropFinisher finisher(drop);
    std::vector<std::string> names;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(size_t(length) + 1, L'\0');
        length = DragQueryFileW(drop, i, name.data(), length + 1);
        names.push_back(FromWide(name.data(), int(length)));
    }
    return names;
}
