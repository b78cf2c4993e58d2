#include "qvr/loc_messages.h"

#include "tools/localization_store.h"
#include "tools/sorted_lists.h"

std::unique_ptr<TQZSortedParams> QVRLocMessages;

namespace {

struct TDefaultMessage {
    const char* Id;
    const char* Text;
};

// The server's texts, typing errors included.
const TDefaultMessage DefaultMessages[] = {
    {msgErrorLoadTreeStatuses, "Error load tree statuses: %s."},
    {msgOkLoadTreeStatuses, "Load tree statuses: Ok."},
    {msgErrorLoadTasksParams, "Error load tasks params: %s."},
    {msgOkLoadTasksParams, "Load tasks params: Ok."},
    {msgRestartQVROnChangeStateOptions,
     "For change state option(s): \r\n%s\r\nneed reatart QVR.\r\nRestart QVR now?"},
    {msgQuestionCaption, "Question"},
    {msgRestartQVROnChangeOptions, "For take effect need reatart QVR.\r\nRestart QVR now?"},
    {msgTooLageFile, "File \"%s\" greate then 1 Megabyte, open directory with file?\r\n"
                     "Yes - open directory\r\nNo - open file\r\nCancel - canceled open"},
    {msgErrorMaxNumTasksLess1, "Max number of running tasks must be greater of 1."},
    {msgErrorHugeMoreMaxNumTasks,
     "Max number of running huge tasks must be smaller of MaxRunTasks."},
    {msgErrorBDLessMaxNumTasks, "MaxSessions of BaseManager (%d) must be greater of max number "
                                "running tasks (%d). Set max run tasks to %d huge to %d."},
    {msgErrorTraceOptions, "Error in trace options: %s"},
    {msgErrorRAdminOptions, "Error init remote administration: %s"},
    {msgQVRNeedCustomize, "QVRs params must be customise now!"},
    {msgErrorReadConfig, "Error read config"},
    {msgOkReconfig, "Ok - Reconfig"},
    {msgCancelShutdown, "Cancel - Shutdown"},
    {msgCancelContinue, "Cancel - continue work with error params (work may be unstable!)"},
    {msgConfigCanceled, "Configuration dialog was canceled!"},
    {msgNotFoundFile, "Not found file: %s"},
    {msgErrorMessageCaption, "QVR Error"},
    {msgErrorSelfClientNumber,
     "Unable to read self client number. Error getting table from BaseMng"},
    {msgErrordetermineSelfClientNumber, "Unable to determine self client number"},
    {msgErrorGetSelfClientNumber, "Error get self client number: %s"},
};

} // namespace

void FillQVRMessagesList() {
    for (const TDefaultMessage& message : DefaultMessages)
        QVRLocMessages->AddParam(message.Id, message.Text);
}

std::string GetDefaultMessage(const std::string& id) {
    return QVRLocMessages ? QVRLocMessages->GetValue(id) : std::string();
}

std::string GetLocalizedMessage(const std::string& id, std::initializer_list<FormatArg> args) {
    std::string text = GetLocalResourceValue("C_QVR_MESSAGES_" + id, DefaultLanguageID());
    if (text == LocNotFoundMark)
        text = GetDefaultMessage(id);
    return Format(text, args);
}

void InitQVRLocMessages() {
    QVRLocMessages = std::make_unique<TQZSortedParams>();
    FillQVRMessagesList();
}

void DoneQVRLocMessages() {
    QVRLocMessages.reset();
}
