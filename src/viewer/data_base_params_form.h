#pragma once
#include "viewer/debug_info_form.h"

class TMemo;

// Shows the text of one section of the current snapshot, the database parameters; a window
// that answers another kind shows that section the same way.
class TfmDataBaseParamsForm : public TfmDebugInfo {
public:
    explicit TfmDataBaseParamsForm(TComponent* AOwner)
        : TfmDataBaseParamsForm(AOwner, "fmDataBaseParamsForm", "DataBase params") {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDebugInfoObgect DebugInfoObgectType() const override { return dioDataBaseParams; }
    void UpdateCurrentDebugInfoIndex() override;
    // The window shows one snapshot; the interval means nothing to it.
    void UpdateDebugInfoInterval() override {}

    TMemo* mParams = nullptr;

protected:
    // A window that shows another section under its own name.
    TfmDataBaseParamsForm(TComponent* AOwner, const std::string& name, const std::string& caption);
    void BeforeDestruction() override;
};

extern TfmDataBaseParamsForm* fmDataBaseParamsForm;
