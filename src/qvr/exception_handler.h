#pragma once
#include "rtl/format.h"
#include "rtl/object.h"

#include <initializer_list>
#include <memory>

// Made at start and freed at the end; it has no behaviour of its own.
class TQZExceptionHandler : public TObject {};

extern std::unique_ptr<TQZExceptionHandler> QZExceptionHandler;
void InitExceptionHandler();
void DoneExceptionHandler();

// Shows the catalogue's message of the code, formatted with args, in an error box captioned
// "Ошибка", and returns when the operator has closed it.
void QZErrorHandler(int code, std::initializer_list<FormatArg> args);
