#pragma once
#include "viewer/data_base_params_form.h"

class TMenuItem;
class TPopupMenu;

// Shows the server configuration of the current snapshot as INI text and opens it in the
// server's settings dialog. While the window lives, the global QVRConfig is an in-memory
// configuration, so the dialog never touches a file.
class TfmQVRConfigForm : public TfmDataBaseParamsForm {
public:
    explicit TfmQVRConfigForm(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDebugInfoObgect DebugInfoObgectType() const override { return dioQVRConfig; }

    // The window-bar button, then QVRConfig replaced by an in-memory configuration.
    void FormCreate(TObject* Sender) override;
    void FormDestroy(TObject* Sender);
    void PopupMenu1Popup(TObject* Sender);
    // The memo's text read into QVRConfig, then the settings dialog shown modally; what OK
    // writes goes into the configuration's lines only.
    void miShowQVRConfigFormClick(TObject* Sender);

    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* miShowQVRConfigForm = nullptr;

protected:
    void BeforeDestruction() override;
};

extern TfmQVRConfigForm* fmQVRConfigForm;
