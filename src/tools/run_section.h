#pragma once
#include <string>

// Whether the calling thread's token (or else the process's) is in the built-in Administrators
// group.
bool RunningAsAdministrator();

enum THKEYTarget { htLocalMachine, htCurrentUser };
// The sub-keys "Run", "RunOnce" and "RunOnceEx" of Software\Microsoft\Windows\CurrentVersion.
enum TSectionTarget { stRun, stRunOnce, stRunOnceEx };
enum TDoAction { daAdd, daDelete, daExist, daSameValue };

// Adds (as a string without terminating zero), deletes, or tests the presence of the value Name
// in an auto-run key, or whether it is a string equal to Data regardless of case. Never
// raises: missing keys or values and denied access give False.
bool CorrectRunSection(THKEYTarget HKEYTarget, TSectionTarget SectionTarget,
                       const std::string& Name, const std::string& Data, TDoAction RunAction);
