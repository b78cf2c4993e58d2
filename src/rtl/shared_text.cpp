#include "rtl/shared_text.h"
#include "rtl/lasting.h"

#include <ostream>

TSharedText::TSharedText(std::string text) {
    if (!text.empty())
        FRep = new TRep(std::move(text));
}

const std::string& TSharedText::EmptyText() {
    static const TLasting<std::string> empty;
    return *empty;
}

std::ostream& operator<<(std::ostream& out, const TSharedText& text) {
    return out << text.str();
}
