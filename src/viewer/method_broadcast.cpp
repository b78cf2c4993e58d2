#include "viewer/method_broadcast.h"

#include "rtl/exceptions.h"
#include "rtl/modality/message_box.h"
#include "rtl/published.h"
#include "rtl/strings.h"
#include "vcl/core/screen.h"
#include "viewer/debug_info_form.h"

namespace {
// Method names are looked up as the short strings they were published as.
constexpr int MaxMethodNameLength = 255;
} // namespace

void ExecuteRoutine(TComponent& form, const std::string& MethodName) {
    const TMethodInfo* method =
        form.ClassInfo().FindMethod(Copy(MethodName, 1, MaxMethodNameLength));
    if (!method) {
        ShowMessage("Not found method " + MethodName + " in form: " + form.Name());
        return;
    }
    try {
        method->Call(form);
    } catch (...) {
        ShowMessage("Error exec method " + MethodName + " in form: " + form.Name() +
                    "\r\nError: " + ExceptionMessage(std::current_exception()));
    }
}

void BroadcastToDebugInfoForms(const std::string& MethodName) {
    // By index, as a method may make or free windows.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        auto* form = dynamic_cast<TfmDebugInfo*>(Screen->Forms(i));
        if (form && form->Visible())
            ExecuteRoutine(*form, MethodName);
    }
}
