#pragma once
#include "rtl/format.h"

#include <memory>
#include <string>

class TQZSortedParams;

// Ids of the server's own messages; each is looked up under its own name.
inline constexpr char msgErrorLoadTreeStatuses[] = "msgErrorLoadTreeStatuses";
inline constexpr char msgOkLoadTreeStatuses[] = "msgOkLoadTreeStatuses";
inline constexpr char msgErrorLoadTasksParams[] = "msgErrorLoadTasksParams";
inline constexpr char msgOkLoadTasksParams[] = "msgOkLoadTasksParams";
inline constexpr char msgRestartQVROnChangeStateOptions[] = "msgRestartQVROnChangeStateOptions";
inline constexpr char msgQuestionCaption[] = "msgQuestionCaption";
inline constexpr char msgRestartQVROnChangeOptions[] = "msgRestartQVROnChangeOptions";
inline constexpr char msgTooLageFile[] = "msgTooLageFile";
inline constexpr char msgErrorMaxNumTasksLess1[] = "msgErrorMaxNumTasksLess1";
inline constexpr char msgErrorHugeMoreMaxNumTasks[] = "msgErrorHugeMoreMaxNumTasks";
inline constexpr char msgErrorBDLessMaxNumTasks[] = "msgErrorBDLessMaxNumTasks";
inline constexpr char msgErrorTraceOptions[] = "msgErrorTraceOptions";
inline constexpr char msgErrorRAdminOptions[] = "msgErrorRAdminOptions";
inline constexpr char msgQVRNeedCustomize[] = "msgQVRNeedCustomize";
inline constexpr char msgErrorReadConfig[] = "msgErrorReadConfig";
inline constexpr char msgOkReconfig[] = "msgOkReconfig";
inline constexpr char msgCancelShutdown[] = "msgCancelShutdown";
inline constexpr char msgCancelContinue[] = "msgCancelContinue";
inline constexpr char msgConfigCanceled[] = "msgConfigCanceled";
inline constexpr char msgNotFoundFile[] = "msgNotFoundFile";
inline constexpr char msgErrorMessageCaption[] = "msgErrorMessageCaption";
inline constexpr char msgErrorSelfClientNumber[] = "msgErrorSelfClientNumber";
inline constexpr char msgErrordetermineSelfClientNumber[] = "msgErrordetermineSelfClientNumber";
inline constexpr char msgErrorGetSelfClientNumber[] = "msgErrorGetSelfClientNumber";

// Message id -> English text, found without regard to case.
extern std::unique_ptr<TQZSortedParams> QVRLocMessages;

void FillQVRMessagesList();
// The English text of the id; empty for an unknown id.
std::string GetDefaultMessage(const std::string& id);
// The text of "C_QVR_MESSAGES_" + id in the default language of the localisation store, or
// the English text when the store has none, formatted with args.
std::string GetLocalizedMessage(const std::string& id, std::initializer_list<FormatArg> args = {});

void InitQVRLocMessages();
void DoneQVRLocMessages();
