#pragma once
#include "rtl/string_list.h"
#include "tools/thread_safety.h"

#include <memory>

// A lockable list of error texts; the program makes one at start and never fills it.
class TErrorsContainer : public TThreadSafetyClass {
public:
    int ErrorsCount() const { return Errors.Count(); }

    TStringList Errors;
};

extern std::unique_ptr<TErrorsContainer> ErrorsContainer;

void InitErrorsContainer();
void DoneErrorsContainer();
