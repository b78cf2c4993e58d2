#include "qvr/debug_header.h"

#include "rtl/strings.h"
#include "tools/fast_str.h"
#include "tools/qz_string.h"

namespace {

// The text after the first marker in s; '' when s has no marker.
std::string TextAfter(const std::string& marker, const std::string& s) {
    const int p = Q_PosText(marker, s, 1);
    return p > 0 ? s.substr(size_t(p - 1) + marker.size()) : std::string();
}

} // namespace

TDebugHeader ParseDebugHeader(const std::string& line) {
    TDebugHeader header;
    std::string text = line;
    header.Key = GetSubstring(text, "[", "]", 0);
    if (Trim(header.Key).empty())
        return header;
    std::string head = GetNextParam(text, " DebugData ");
    header.LengthText = text;
    if (header.LengthText.empty()) {
        head = TextAfter("VersionInfo\\", head);
        if (head.empty())
            return header;
        header.Kind = TDebugHeader::hkVersionInfo;
    } else {
        header.Kind = TDebugHeader::hkSnapshot;
    }
    header.Version = Trim(TextAfter("Version: ", head));
    return header;
}
