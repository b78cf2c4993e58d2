#include "viewer/data_base_params_form.h"

#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "vcl/controls/edit.h"

TfmDataBaseParamsForm* fmDataBaseParamsForm = nullptr;

const TClassInfo& TfmDataBaseParamsForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmDataBaseParamsForm",
                                           &TfmDebugInfo::StaticClassInfo());
    return *info;
}

TfmDataBaseParamsForm::TfmDataBaseParamsForm(TComponent* AOwner, const std::string& name,
                                             const std::string& caption)
    : TfmDebugInfo(AOwner) {
    SetName(name);
    SetCaption(caption);
    mParams = new TMemo(this);
    mParams->SetName("mParams");
    mParams->SetParent(this);
    mParams->SetAlign(alClient);
    mParams->SetReadOnly(true);
    mParams->SetScrollBars(ssBoth);
    mParams->SetWordWrap(false);
}

void TfmDataBaseParamsForm::UpdateCurrentDebugInfoIndex() {
    TStrings& lines = *mParams->Lines();
    TUpdateGuard<TStrings> update(lines);
    lines.Clear();
    if (const TDebugInfo* di = DebugReader->GetDebugInfo(CurrentDebugInfoIndex()))
        lines.SetText(GetDebugValue(DebugInfoObgectType(), "", di).AsString());
}

void TfmDataBaseParamsForm::BeforeDestruction() {
    if (fmDataBaseParamsForm == this)
        fmDataBaseParamsForm = nullptr;
    TfmDebugInfo::BeforeDestruction();
}
