#include "viewer_fixture.h"

#include "qvr/debug_reader.h"
#include "rtl/wide_text.h"
#include "support/debug_file_writer.h"
#include "support/shell_drop.h"
#include "tools/form_storage.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/button.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/application.h"
#include "vcl/core/screen.h"
#include "vcl/user_input.h"

#include <commctrl.h>

TSpyForm::TSpyForm(TComponent* AOwner) : TfmDebugInfo(AOwner) {
    std::string name = "fmSpy";
    for (int n = 2; AOwner && AOwner->FindComponent(name); ++n)
        name = "fmSpy" + std::to_string(n);
    SetName(name);
    SetCaption("Spy");
}

void TSpyForm::Note(const std::string& method) {
    Calls.push_back(method + " " + std::to_string(DebugReader->Count()));
    if (fmTimeLineForm && fmTimeLineForm->Reading())
        CalledWhileReading = true;
}

void TSpyForm::FillControls() {
    Note("FillControls");
    TfmDebugInfo::FillControls();
}

void TSpyForm::Clear() {
    Note("Clear");
    TfmDebugInfo::Clear();
}

void TSpyForm::UpdateCurrentDebugInfoIndex() {
    Note("Current");
    if (Raise)
        throw Exception("the spy fails");
}

void TSpyForm::UpdateDebugInfoInterval() {
    Note("Interval");
}

std::vector<int> TSpyForm::CountsOf(const std::string& method) const {
    std::vector<int> counts;
    for (const std::string& call : Calls)
        if (call.compare(0, method.size() + 1, method + " ") == 0)
            counts.push_back(std::stoi(call.substr(method.size() + 1)));
    return counts;
}

std::vector<std::string> DayKeys(const std::string& day, int n) {
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i) {
        char time[16];
        std::snprintf(time, sizeof time, " 10:%02d:%02d", i / 6, i % 6 * 10);
        keys.push_back(day + time);
    }
    return keys;
}

ViewerTest::ViewerTest() {
    Application->CreateForm(Spy);
    // Placements go to the test's folder, so no test finds what another one left.
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* window = dynamic_cast<TfmDebugInfo*>(Screen->Forms(i)))
            window->ZWFormStorage1->SetIniFileName(PlacementFile());
    Main().Show();
    Spy->Show();
}

ViewerTest::~ViewerTest() {
    ForgetQuit();
}

std::string ViewerTest::WriteFile(const std::string& name, const std::vector<std::string>& keys) {
    const std::string path = Folder.File(name);
    TDebugFileWriter file(path);
    for (const std::string& key : keys)
        file.Snapshot(key, "2.5.1.7",
                      TDebugBlockWriter().Section("DataBaseParams", "params of " + key).Data());
    file.Flush();
    return path;
}

std::string ViewerTest::PlacementFile() const {
    return Folder.File("viewer.prm");
}

std::string ViewerTest::KeyAtPosition() const {
    return DebugReader->DebugInfoList.GetNames(Main().tbTime->Position());
}

void Click(TButton* button) {
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
}

namespace {
void ToolButtonCommand(TToolButton* button, bool post) {
    TToolBar* bar = button->ToolBar();
    const WPARAM command = MAKEWPARAM(button->Command(), BN_CLICKED);
    const HWND parent = bar->Parent()->Handle();
    if (post)
        PostMessageW(parent, WM_COMMAND, command, LPARAM(bar->Handle()));
    else
        SendMessageW(parent, WM_COMMAND, command, LPARAM(bar->Handle()));
}
} // namespace

void Click(TToolButton* button) {
    ToolButtonCommand(button, false);
}

void PostClick(TToolButton* button) {
    ToolButtonCommand(button, true);
}

namespace {
// The middle of a tool button, in its tool bar's client coordinates.
POINT ButtonCentre(TToolButton* button) {
    const HWND bar = button->ToolBar()->Handle();
    const LRESULT index = SendMessageW(bar, TB_COMMANDTOINDEX, button->Command(), 0);
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
} // namespace

void ClickWithMouse(TToolButton* button) {
    const HWND bar = button->ToolBar()->Handle();
    const POINT centre = ButtonCentre(button);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    PostMessageW(bar, WM_MOUSEMOVE, 0, at);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(bar, WM_LBUTTONUP, 0, at);
}

void ClickWithRealMouse(TToolButton* button) {
    POINT at = ButtonCentre(button);
    ClientToScreen(button->ToolBar()->Handle(), &at);
    SetCursorPos(at.x, at.y);
    ClickAtPointer();
}

void MoveTimeLine(int position) {
    TTrackBar* tb = fmTimeLineForm->tbTime;
    SendMessageW(tb->Handle(), TBM_SETPOS, TRUE, position);
    SendMessageW(tb->Parent()->Handle(), WM_HSCROLL, TB_THUMBPOSITION, LPARAM(tb->Handle()));
}

intptr_t PressUpDown(bool up) {
    TUpDown* ud = fmTimeLineForm->seTime;
    NMUPDOWN notice{};
    notice.hdr.hwndFrom = ud->Handle();
    notice.hdr.code = UDN_DELTAPOS;
    notice.iPos = ud->Position();
    notice.iDelta = up ? 1 : -1;
    return SendMessageW(ud->Parent()->Handle(), WM_NOTIFY, 0, LPARAM(&notice));
}

void DropFiles(TWinControl* window, const std::vector<std::string>& names, bool post) {
    std::vector<std::wstring> wide;
    for (const std::string& n : names)
        wide.push_back(ToWide(n));
    const HDROP drop = MakeShellDrop(wide);
    if (post)
        PostMessageW(window->Handle(), WM_DROPFILES, WPARAM(drop), 0);
    else
        SendMessageW(window->Handle(), WM_DROPFILES, WPARAM(drop), 0);
}

void ForgetQuit() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Application->ClearTerminated();
}
