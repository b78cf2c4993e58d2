#include "qztree/tree/sort_key.h"

#include "qztree/base/tools.h"
#include "rtl/date_time.h"
#include "rtl/exceptions.h"
#include "rtl/strings.h"
#include "rtl/variant.h"

#include <cmath>

namespace {

template <class T> int Order(T A, T B) {
    return A < B ? -1 : (B < A ? 1 : 0);
}

TQZSortKey FloatingKey(double Value) {
    TQZSortKey key;
    key.Kind = TQZSortKey::skFloating;
    key.Floating = Value;
    return key;
}

TQZSortKey IntegerKey(TQZSortKey::TKind Kind, int64_t Value) {
    TQZSortKey key;
    key.Kind = Kind;
    key.Integer = Value;
    return key;
}

TQZSortKey TextKey(std::string Text) {
    TQZSortKey key;
    key.Kind = TQZSortKey::skText;
    key.Text = std::move(Text);
    return key;
}

int64_t RoundCurrency(double Value) {
    return int64_t(std::llround(Value * double(CurrencyScale)));
}

} // namespace

TSortTypes SectionTypeToSortType(TQZFieldType FieldType) {
    switch (FieldType) {
    case sftText:
        return stText;
    case sftNumber:
        return stNumber;
    case sftFloating:
        return stFloating;
    case sftDateTime:
        return stDateTime;
    case sftDate:
        return stDate;
    case sftTime:
        return stTime;
    case sftBool:
        return stBoolean;
    case sftCurrency:
        return stCurrency;
    default:
        return stCustom;
    }
}

int SortTypeVarKind(TSortTypes SortType) {
    switch (SortType) {
    case stNumber:
        return TQZSortKey::skInteger;
    case stFloating:
    case stDateTime:
    case stDate:
    case stTime:
        return TQZSortKey::skFloating;
    case stBoolean:
        return TQZSortKey::skBoolean;
    case stCurrency:
        return TQZSortKey::skCurrency;
    default:
        return TQZSortKey::skText;
    }
}

std::string UpperCaseAscii(const std::string& Text) {
    std::string result = Text;
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return result;
}

TQZSortKey MakeSortKey(const std::string& Text, TSortTypes SortType, bool UseCase) {
    switch (SortType) {
    case stText:
        return TextKey(UseCase ? Text : UpperCaseAscii(Text));
    case stNumber: {
        int64_t value = 0;
        return TryStrToInt64(Text, value) ? IntegerKey(TQZSortKey::skInteger, value) : TQZSortKey{};
    }
    case stFloating: {
        double value = 0;
        return TryStrToFloat(Text, value) ? FloatingKey(value) : TQZSortKey{};
    }
    case stDateTime:
    case stDate:
    case stTime: {
        TDateTime value = 0;
        const bool ok = SortType == stDate   ? TryStrToDate(Text, value)
                        : SortType == stTime ? TryStrToTime(Text, value)
                                             : TryStrToDateTime(Text, value);
        return ok ? FloatingKey(value) : TQZSortKey{};
    }
    case stBoolean:
        return IntegerKey(TQZSortKey::skBoolean, Text.empty() ? 0 : 1);
    case stCurrency:
        return IntegerKey(TQZSortKey::skCurrency, PrettyStrToCurr(Text));
    default:
        return TextKey(Text);
    }
}

TQZSortKey MakeValueSortKey(const Variant& Value, TSortTypes SortType, bool UseCase) {
    if (Value.IsEmpty())
        return TQZSortKey{};
    try {
        switch (SortTypeVarKind(SortType)) {
        case TQZSortKey::skInteger:
            return IntegerKey(TQZSortKey::skInteger, Value.AsInteger());
        case TQZSortKey::skFloating:
            return FloatingKey(Value.AsDouble());
        case TQZSortKey::skBoolean:
            return IntegerKey(TQZSortKey::skBoolean, Value.AsDouble() != 0 ? 1 : 0);
        case TQZSortKey::skCurrency:
            return IntegerKey(TQZSortKey::skCurrency, RoundCurrency(Value.AsDouble()));
        default: {
            std::string text = Value.AsString();
            return TextKey(SortType == stText && !UseCase ? UpperCaseAscii(text) : text);
        }
        }
    } catch (const EConvertError&) {
        // A value that does not convert sorts as one without a key.
        return TQZSortKey{};
    }
}

int CompareSortKeys(const TQZSortKey& A, const TQZSortKey& B, TSortTypes SortType) {
    const bool hasA = A.Kind != TQZSortKey::skNone, hasB = B.Kind != TQZSortKey::skNone;
    if (!hasA || !hasB)
        return hasA ? 1 : (hasB ? -1 : 0);
    if (A.Kind != B.Kind)
        return 0;
    switch (A.Kind) {
    case TQZSortKey::skText: {
        const int order = AnsiCompareStr(A.Text, B.Text);
        return Order(order, 0);
    }
    case TQZSortKey::skFloating:
        if (SortType == stDate)
            return Order(std::trunc(A.Floating), std::trunc(B.Floating));
        if (SortType == stTime) {
            // The time of day is the fraction, also before 1899 where the value is negative.
            return Order(std::fabs(A.Floating - std::trunc(A.Floating)),
                         std::fabs(B.Floating - std::trunc(B.Floating)));
        }
        return Order(A.Floating, B.Floating);
    default:
        return Order(A.Integer, B.Integer);
    }
}
