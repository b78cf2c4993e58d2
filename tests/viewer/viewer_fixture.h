#pragma once
#include "tools/progress_cyl.h"
#include "vcl/controls/track_bar.h"
#include "viewer/debug_info_form.h"
#include "viewer/time_line_form.h"
#include "viewer/viewer_startup.h"

#include "support/temp_folder.h"
#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class TButton;
class TToolButton;

// A debug-info window that notes every call the main window makes on it, with the number of
// snapshots at that moment: "FillControls 3", "Current 3", "Interval 3", "Clear 0".
class TSpyForm : public TfmDebugInfo {
public:
    explicit TSpyForm(TComponent* AOwner);
    void FillControls() override;
    void Clear() override;
    void UpdateCurrentDebugInfoIndex() override;
    void UpdateDebugInfoInterval() override;

    // The calls of one method, as the snapshot counts seen.
    std::vector<int> CountsOf(const std::string& method) const;

    std::vector<std::string> Calls;
    bool Raise = false;
    bool CalledWhileReading = false;

private:
    void Note(const std::string& method);
};

// Keys of n snapshots ten seconds apart on a day: "dd.mm.yyyy 10:00:00", ...
std::vector<std::string> DayKeys(const std::string& day, int n);

// A running viewer with its windows, the main window shown, a spy window made after the
// others and shown, and a folder for files.
class ViewerTest : public ::testing::Test {
protected:
    ViewerTest();
    ~ViewerTest() override;

    // A debug-info file of snapshots whose database parameters are "params of <key>".
    std::string WriteFile(const std::string& name, const std::vector<std::string>& keys);

    TfmTimeLineForm& Main() const { return *fmTimeLineForm; }
    std::string KeyAtPosition() const;
    std::string PlacementFile() const;

    TViewerSession Session;
    TempFolder Folder;
    TSpyForm* Spy = nullptr;
};

// What a person does, as messages to the windows.
void Click(TButton* button);
void Click(TToolButton* button);
void PostClick(TToolButton* button);
// A press and release of the left button over a tool button, posted to the tool bar.
void ClickWithMouse(TToolButton* button);
// The mouse itself moved onto a tool button and clicked there: the system delivers the click.
void ClickWithRealMouse(TToolButton* button);
void MoveTimeLine(int position);
// The up-down's arrow; the result is the window's answer (non-zero: the up-down stays).
intptr_t PressUpDown(bool up);
// A shell drop of files as the shell hands it over.
void DropFiles(TWinControl* window, const std::vector<std::string>& names, bool post = false);
// Forgets a quit asked for by the program, so the next test starts with a clean queue.
void ForgetQuit();
