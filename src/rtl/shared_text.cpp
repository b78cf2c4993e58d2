#include "rtl/shared_text.h"

#include <ostream>

TSharedText::TSharedText(std::string text) {
    if (!text.empty())
        FRep = new TRep(std::move(text));
}

TSharedText::TSharedText(const TSharedText& other) noexcept : FRep(other.FRep) {
    if (FRep)
        FRep->Refs.fetch_add(1, std::memory_order_relaxed);
}

TSharedText::~TSharedText() {
    if (FRep && FRep->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete FRep;
}

const std::string& TSharedText::str() const {
    static const std::string empty;
    return FRep ? FRep->Text : empty;
}

std::ostream& operator<<(std::ostream& out, const TSharedText& text) {
    return out << text.str();
}
