#include "qvr/exception_handler.h"

#include "qvr/error_catalogue.h"
#include "rtl/exceptions.h"
#include "rtl/modality/message_box.h"

#include <windows.h>

std::unique_ptr<TQZExceptionHandler> QZExceptionHandler;

void InitExceptionHandler() {
    QZExceptionHandler = std::make_unique<TQZExceptionHandler>();
}

void DoneExceptionHandler() {
    QZExceptionHandler.reset();
}

namespace {

// A pattern that does not fit its arguments is shown as it stands rather than lost.
std::string CatalogueText(TGlobalErrorsObject& catalogue, int code,
                          std::initializer_list<FormatArg> args) {
    try {
        return catalogue.ErrorMessageFmt(code, args);
    } catch (const Exception&) {
        TErrorRec* row = catalogue.FindError(code);
        if (!row)
            row = catalogue.FindError(100);
        return row ? row->Message : std::string();
    }
}

} // namespace

void QZErrorHandler(int code, std::initializer_list<FormatArg> args) {
    std::string text;
    if (GlobalErrorsObject) {
        text = CatalogueText(*GlobalErrorsObject, code, args);
    } else {
        // Before the first configuration object, or after the last, the built-in rows still say
        // what went wrong.
        TGlobalErrorsObject builtIn;
        text = CatalogueText(builtIn, code, args);
    }
    ShowMessageBox(text, "Ошибка", MB_ICONERROR);
}
