#include "viewer/viewer_startup.h"

#include "qvr/crypto_engine_list.h"
#include "qvr/debug_reader.h"
#include "qvr/errors_container.h"
#include "qvr/exception_handler.h"
#include "qvr/loc_messages.h"
#include "qvr/qvr_config.h"
#include "tools/form_localization.h"
#include "tools/localization_store.h"
#include "tools/system_info.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "viewer/bll_leak_form.h"
#include "viewer/data_base_params_form.h"
#include "viewer/diagram_form.h"
#include "viewer/qvr_config_form.h"
#include "viewer/settings_dialog/qvr_set_form.h"
#include "viewer/system_info_form.h"
#include "viewer/system_leak_form.h"
#include "viewer/tasks_threads_form.h"
#include "viewer/time_line_form.h"

#include <iterator>

namespace {
struct TUnit {
    void (*Init)();
    void (*Done)();
};

void NothingToFree() {}
void NothingToMake() {}

// The record sizes (4-byte integers, 8-byte date-times) are fixed at compile time.
const TUnit Units[] = {
    {InitQVRConfig, DoneQVRConfig}, // also fixes the number and date formats
    {InitErrorsContainer, DoneErrorsContainer},
    {InitDebugReader, DoneDebugReader},
    {DefineOS, NothingToFree},
    {InitExceptionHandler, DoneExceptionHandler},
    // The crypto-engine library is loaded on demand and released at the end.
    {NothingToMake, DoneSigmakit},
    // The tree library's units (themes, drawing tools, header bitmaps, scroll-bar styles, drag
    // cursors and tree bitmaps) come here.
    {InitLocalizationStore, DoneLocalizationStore},
    {InitQVRLocMessages, DoneQVRLocMessages},
    {InitFormLocalization, DoneFormLocalization}, // with the property readers
};

int UnitsMade = 0;
} // namespace

void InitViewerUnits() {
    try {
        for (; UnitsMade < int(std::size(Units)); ++UnitsMade)
            Units[UnitsMade].Init();
    } catch (...) {
        DoneViewerUnits();
        throw;
    }
}

void DoneViewerUnits() {
    while (UnitsMade > 0)
        Units[--UnitsMade].Done();
}

void CreateViewerForms() {
    Application->CreateForm(fmTimeLineForm);
    Application->CreateForm(fmDiagramForm);
    Application->CreateForm(fmSystemInfoForm);
    Application->CreateForm(fmSystemLeakForm);
    Application->CreateForm(fmBLLLeakForm);
    Application->CreateForm(fmDataBaseParamsForm);
    Application->CreateForm(fmQVRConfigForm);
    Application->CreateForm(fmQVRSet);
    Application->CreateForm(fmTasksThreads);
}

void DestroyViewerForms() {
    Application->FreeForms();
}

TViewerSession::TViewerSession() {
    InitViewerUnits();
    try {
        Application->Initialize();
        CreateViewerForms();
    } catch (...) {
        DestroyViewerForms();
        DoneViewerUnits();
        throw;
    }
}

TViewerSession::~TViewerSession() {
    DestroyViewerForms();
    DoneViewerUnits();
}

int RunViewer() {
    try {
        TViewerSession session;
        Application->Run();
    } catch (...) {
        Application->HandleException(Application);
        return 1;
    }
    return 0;
}
