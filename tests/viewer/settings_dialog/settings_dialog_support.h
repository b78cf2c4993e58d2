#pragma once
#include "../viewer_fixture.h"

#include "support/message_capture.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class TCheckBox;
class TEdit;
class TQZTree;
class TQZTreeItem;
class TTabSheet;

// Steps run one at a time inside a modal loop: each runs from a timer, so the messages the
// step before it posted have all been handled. When the steps are done and the dialog is still
// open after a while, it is cancelled and Finished stays false, so a test never hangs.
class ModalScript {
public:
    explicit ModalScript(std::vector<std::function<void()>> steps);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool Finished() const { return FNext >= FSteps.size() && !FTimedOut; }

private:
    static void __stdcall Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::function<void()>> FSteps;
    size_t FNext = 0;
    int FIdleTicks = 0;
    bool FTimedOut = false;
    UINT_PTR FTimer = 0;
};

// A viewer whose current snapshot carries a server configuration text, and the settings
// dialog opened on it as the configuration window's menu command opens it.
class SettingsDialogTest : public ViewerTest {
protected:
    // One snapshot per text, ten seconds apart; the time line stands on the last one.
    void OpenConfigs(const std::vector<std::string>& texts);
    // "Show QVR config" with the steps run while the dialog is open; the configuration text
    // afterwards.
    std::string ShowSettings(std::vector<std::function<void()>> steps);
    // What the model alone writes for a text: the dialog's OK must give the same.
    std::string ModelText(const std::string& text);
    std::string Written() const;

    MessageCapture Boxes;
};

// Configuration texts: lines joined with CR LF; one with a value other than the default in
// every key the dialog shows.
std::string Lines(std::initializer_list<const char*> lines);
extern const std::string FullConfig;
// The text holds the line whole.
bool Has(const std::string& text, const std::string& line);
// The entry lines of one section of an INI text.
std::string SectionOfText(const std::string& text, const std::string& section);

// What a person does in the dialog.
void ClickControl(TWinControl* control);
// A settings page by a click on its row of the page tree; an inner page by its tab.
void ShowPage(TTabSheet* page);
// A key pressed and released on a window; the next step sees what it did.
void PostKeyTo(HWND window, uint16_t key);
// A click on the text of a shown row of a tree (with MK_CONTROL or MK_SHIFT held as asked).
void ClickRow(TQZTree* tree, TQZTreeItem* item, uintptr_t keys = 0);
// The row of the page tree that leads to the page; null when it has none.
TQZTreeItem* PageRow(TTabSheet* page);
// A click in the middle of a cell of a shown row.
void ClickCell(TQZTree* tree, TQZTreeItem* item, int section);
// Replaces an edit's text: a click into it, End, backspaces over the old text, the new text.
void TypeInto(TEdit* edit, const std::string& text);
std::string WindowText(TWinControl* control);
bool WindowChecked(TCheckBox* box);
bool WindowVisible(TWinControl* control);
