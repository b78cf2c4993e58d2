#include "qvr/text_lines.h"

#include <cstring>

size_t FindCRLF(std::string_view s, size_t from) {
    const char* end = s.data() + s.size();
    for (const char* cr = s.data() + from;
         (cr = static_cast<const char*>(std::memchr(cr, '\r', size_t(end - cr)))); ++cr)
        if (cr + 1 < end && cr[1] == '\n')
            return size_t(cr - s.data());
    return s.npos;
}

std::string_view TakeLine(std::string_view s, size_t& pos) {
    const size_t begin = pos;
    const size_t crlf = FindCRLF(s, begin);
    pos = crlf == s.npos ? s.size() : crlf + 2;
    return s.substr(begin, (crlf == s.npos ? s.size() : crlf) - begin);
}

std::string_view NextField(std::string_view& s, char separator) {
    const size_t at = s.find(separator);
    const std::string_view field = s.substr(0, at);
    s = at == s.npos ? std::string_view() : s.substr(at + 1);
    return field;
}
