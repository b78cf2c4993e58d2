#include "qvr/error_catalogue.h"

#include "qvr/built_in_errors.h"
#include "rtl/critical_section.h"
#include "rtl/lasting.h"

#include <iterator>

namespace {
TLasting<std::unique_ptr<TGlobalErrorsObject>> CatalogueHolder;
}
std::unique_ptr<TGlobalErrorsObject>& GlobalErrorsObject = *CatalogueHolder;

namespace {

bool TErrorRec::*const Switches[] = {&TErrorRec::OperativeShow, &TErrorRec::WriteToLog,
                                     &TErrorRec::WriteSessionData, &TErrorRec::WriteHTTPHeaders,
                                     &TErrorRec::WriteRequestData};

} // namespace

TErrorRec::TErrorRec(int32_t code, std::string message)
    : ErrorCode(code), Message(std::move(message)) {}

std::string TErrorRec::GetFlagsAsString() const {
    std::string s;
    for (bool TErrorRec::*flag : Switches)
        s += this->*flag ? '1' : '0';
    return s;
}

void TErrorRec::SetFlagsAsString(const std::string& s) {
    for (size_t i = 0; i < std::size(Switches); ++i)
        this->*Switches[i] = i < s.size() && s[i] == '1';
}

TGlobalErrorsObject::TGlobalErrorsObject() {
    FillErrors();
}

TErrorRec* TGlobalErrorsObject::AddError(int32_t code, const std::string& message) {
    auto row = std::make_unique<TErrorRec>(code, message);
    ErrorsList.Add(row.get());
    return row.release();
}

void TGlobalErrorsObject::FillErrors() {
    TLockGuard<TGlobalErrorsObject> lock(*this);
    for (const TBuiltInError& error : BuiltInErrors())
        AddError(error.Code, error.Pattern);
    FillErrorsDescribes();
}

void TGlobalErrorsObject::FillErrorsDescribes() {
    for (int i = 0; i < ErrorsList.Count(); ++i) {
        auto* row = static_cast<TErrorRec*>(ErrorsList.Items(i));
        row->Describe = GetDefaultErrorDescribe(row->ErrorCode);
    }
}

std::string TGlobalErrorsObject::GetDefaultErrorDescribe(int32_t code) {
    for (const TBuiltInError& error : BuiltInErrors())
        if (error.Code == code)
            return error.Describe;
    return "";
}

TErrorRec* TGlobalErrorsObject::FindError(int32_t code) {
    TLockGuard<TGlobalErrorsObject> lock(*this);
    for (int i = 0; i < ErrorsList.Count(); ++i) {
        auto* row = static_cast<TErrorRec*>(ErrorsList.Items(i));
        if (row->ErrorCode == code)
            return row;
    }
    return nullptr;
}

std::string TGlobalErrorsObject::ErrorMessageFmt(int32_t code,
                                                 std::initializer_list<FormatArg> args) {
    TErrorRec* row = FindError(code);
    if (!row)
        row = FindError(100);
    return row ? Format(row->Message, args) : std::string();
}

int TGlobalErrorsObject::Count() {
    TLockGuard<TGlobalErrorsObject> lock(*this);
    return ErrorsList.Count();
}

TErrorRec* TGlobalErrorsObject::Error(int index) {
    if (index < 0 || index >= Count())
        return nullptr;
    return static_cast<TErrorRec*>(ErrorsList.Items(index));
}
