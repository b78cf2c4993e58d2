#pragma once
#include <string>

class TComponent;

// Calls the published parameterless method of that name on a window. A window without it, or a
// method that raises, gets one message box; nothing is raised, so a broadcast goes on.
void ExecuteRoutine(TComponent& form, const std::string& MethodName);

// Calls the method on every visible debug-info window, in the order of the screen's forms.
// Hidden windows are skipped; they fill themselves when they are shown.
void BroadcastToDebugInfoForms(const std::string& MethodName);
