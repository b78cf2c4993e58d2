#include "viewer/data_base_params_form.h"

#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "rtl/published.h"
#include "vcl/edit.h"

TfmDataBaseParamsForm* fmDataBaseParamsForm = nullptr;

namespace {
class TLinesUpdate {
public:
    explicit TLinesUpdate(TStrings& lines) : FLines(lines) { FLines.BeginUpdate(); }
    ~TLinesUpdate() { FLines.EndUpdate(); }
    TLinesUpdate(const TLinesUpdate&) = delete;
    TLinesUpdate& operator=(const TLinesUpdate&) = delete;

private:
    TStrings& FLines;
};
} // namespace

const TClassInfo& TfmDataBaseParamsForm::StaticClassInfo() {
    static const TClassInfo info("TfmDataBaseParamsForm", &TfmDebugInfo::StaticClassInfo());
    return info;
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
    TLinesUpdate update(lines);
    lines.Clear();
    if (const TDebugInfo* di = DebugReader->GetDebugInfo(CurrentDebugInfoIndex()))
        lines.SetText(GetDebugValue(DebugInfoObgectType(), "", di).AsString());
}

void TfmDataBaseParamsForm::BeforeDestruction() {
    if (fmDataBaseParamsForm == this)
        fmDataBaseParamsForm = nullptr;
    TfmDebugInfo::BeforeDestruction();
}
