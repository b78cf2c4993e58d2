#pragma once
#include "qvr/debug_info.h"
#include "vcl/core/forms.h"

#include <string>
#include <vector>

class TToolButton;
class TZWFormStorage;

// The frame of every window that shows snapshot data, the main window included: files dropped
// on it are opened, it has a button on the main window's window bar, it reads the current
// snapshot and the interval from the main window's time line, and it answers the four methods
// the main window calls by name (FillControls, UpdateCurrentDebugInfoIndex,
// UpdateDebugInfoInterval, Clear).
class TfmDebugInfo : public TForm {
public:
    explicit TfmDebugInfo(TComponent* AOwner);
    // The methods are published here once; a call by name reaches a window's override through
    // the virtual table.
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Hands the file to the main window, which reads it and refills the windows.
    virtual void OpenFile(const std::string& FileName);
    // The kind of data the window shows; the main window shows none and is never asked.
    virtual TDebugInfoObgect DebugInfoObgectType() const { return dioUnknown; }
    virtual void Clear();
    virtual void FillControls();
    virtual void UpdateCurrentDebugInfoIndex() = 0;
    virtual void UpdateDebugInfoInterval() = 0;

    // OnCreate: adds the window's button to the main window's window bar, after the buttons of
    // the windows made before it.
    virtual void FormCreate(TObject* Sender);
    // The first place of the index-th window on the window bar.
    void PlaceInCascade(int index);
    // A hidden window is filled before it is shown; a minimised one is restored.
    void ToolBarButtonClickHandler(TObject* Sender);

    // The main window's track-bar position, selection start and selection end; -1 without a
    // main window.
    int GetCurrentDebugInfoIndex() const;
    int GetStartDebugInfoIndex() const;
    int GetEndDebugInfoIndex() const;
    int CurrentDebugInfoIndex() const { return GetCurrentDebugInfoIndex(); }
    int StartDebugInfoIndex() const { return GetStartDebugInfoIndex(); }
    int EndDebugInfoIndex() const { return GetEndDebugInfoIndex(); }

    TToolButton* WindowBarButton() const { return FWindowBarButton; }

    // Keeps the window's placement in the program's ".prm" file, in a section named after the
    // window.
    TZWFormStorage* ZWFormStorage1 = nullptr;

protected:
    void CreateParams(TCreateParams& Params) override;
    // Shown (from its window-bar button), the window comes up restored at its stored place
    // even when it was stored minimised: with no task bar an icon could not be reached.
    void DoShow() override;
    // Each file is a separate open, in the order the shell gives them; one that fails is shown
    // and the next one is opened.
    void DropFiles(const std::vector<std::string>& FileNames) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;

private:
    TToolButton* FWindowBarButton = nullptr;
};
