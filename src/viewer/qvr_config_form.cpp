#include "viewer/qvr_config_form.h"

#include "qvr/error_catalogue.h"
#include "qvr/memory_qvr_config.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "vcl/controls/edit.h"
#include "vcl/core/menus.h"
#include "viewer/settings_dialog/qvr_set_form.h"

TfmQVRConfigForm* fmQVRConfigForm = nullptr;

namespace {
// Reading a configuration keeps the interval and the catalogue switches it does not find, so
// they start from a fresh object's values: each snapshot then shows only its own settings.
void ForgetEarlierConfiguration(TQVRConfig& config) {
    config.TryConnectionInterval = 0;
    TLockGuard<TGlobalErrorsObject> locked(*GlobalErrorsObject);
    for (int i = 0; i < GlobalErrorsObject->Count(); ++i) {
        TErrorRec* row = GlobalErrorsObject->Error(i);
        row->SetFlagsAsString("11111");
        row->HTML.clear();
    }
}
} // namespace

const TClassInfo& TfmQVRConfigForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TfmQVRConfigForm", &TfmDataBaseParamsForm::StaticClassInfo())
            .Method("FormDestroy", &TfmQVRConfigForm::FormDestroy)
            .Method("PopupMenu1Popup", &TfmQVRConfigForm::PopupMenu1Popup)
            .Method("miShowQVRConfigFormClick", &TfmQVRConfigForm::miShowQVRConfigFormClick);
    return *info;
}

TfmQVRConfigForm::TfmQVRConfigForm(TComponent* AOwner)
    : TfmDataBaseParamsForm(AOwner, "fmQVRConfigForm", "QVR Config") {
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    PopupMenu1->OnPopup = [this](TObject* s) { PopupMenu1Popup(s); };
    miShowQVRConfigForm = new TMenuItem(this);
    miShowQVRConfigForm->SetName("miShowQVRConfigForm");
    miShowQVRConfigForm->SetCaption("Show QVR config");
    miShowQVRConfigForm->OnClick = [this](TObject* s) { miShowQVRConfigFormClick(s); };
    PopupMenu1->Items()->Add(miShowQVRConfigForm);
    mParams->SetPopupMenu(PopupMenu1);
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

void TfmQVRConfigForm::FormCreate(TObject* Sender) {
    TfmDataBaseParamsForm::FormCreate(Sender);
    // The old configuration goes first: its destructor frees the shared catalogue, which the
    // new one then makes again.
    QVRConfig.reset();
    QVRConfig = std::make_unique<TMemoryQVRConfig>();
}

void TfmQVRConfigForm::FormDestroy(TObject*) {
    QVRConfig.reset();
}

void TfmQVRConfigForm::PopupMenu1Popup(TObject*) {
    miShowQVRConfigForm->SetEnabled(mParams->Lines()->Count() > 0);
}

void TfmQVRConfigForm::miShowQVRConfigFormClick(TObject*) {
    auto* config = dynamic_cast<TMemoryQVRConfig*>(QVRConfig.get());
    if (!config || !fmQVRSet)
        return;
    ForgetEarlierConfiguration(*config);
    config->CfgFileLines.Assign(*mParams->Lines());
    config->ReadQVRParameters();
    fmQVRSet->ShowModal();
}

void TfmQVRConfigForm::BeforeDestruction() {
    if (fmQVRConfigForm == this)
        fmQVRConfigForm = nullptr;
    TfmDataBaseParamsForm::BeforeDestruction();
}
