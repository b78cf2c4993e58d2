#pragma once
#include "rtl/format.h"
#include "rtl/lists.h"
#include "tools/thread_safety.h"

#include <cstdint>
#include <memory>
#include <string>

// One coded error: its message pattern, five switches for how the server treats it, the
// error-response HTML file and a long description.
class TErrorRec : public TObject {
public:
    TErrorRec(int32_t code, std::string message);

    // The five switches in field order as '1' or '0'.
    std::string GetFlagsAsString() const;
    // Padded with '0' to five characters; only '1' sets a switch; further characters are
    // ignored.
    void SetFlagsAsString(const std::string& s);

    int32_t ErrorCode;
    std::string Message;
    bool OperativeShow = true;
    bool WriteToLog = true;
    bool WriteSessionData = true;
    bool WriteHTTPHeaders = true;
    bool WriteRequestData = true;
    std::string HTML;
    std::string Describe;
};

// The catalogue of the server's coded errors, filled with the built-in rows; rows are never
// removed.
class TGlobalErrorsObject : public TThreadSafetyClass {
public:
    TGlobalErrorsObject();

    TErrorRec* AddError(int32_t code, const std::string& message);
    // The built-in description of the code; empty for a code without one.
    static std::string GetDefaultErrorDescribe(int32_t code);
    // The first row of the code, or nullptr.
    TErrorRec* FindError(int32_t code);
    // The pattern of the code's row, or of row 100 when the code has none, formatted with args.
    std::string ErrorMessageFmt(int32_t code, std::initializer_list<FormatArg> args);
    int Count();
    // The row at the position; nullptr outside the list.
    TErrorRec* Error(int index);

    TObjectList ErrorsList;

private:
    void FillErrors();
    void FillErrorsDescribes();
};

// The program's one catalogue; the configuration objects create and free it.
// Its holder stays to the program's end, since the last configuration object frees the catalogue
// whenever it goes.
extern std::unique_ptr<TGlobalErrorsObject>& GlobalErrorsObject;
