#pragma once
#include "vcl/base/geometry.h"

#include <cstdint>
#include <string>

// A window message as the controls see it: the raw parameters and the result to give back.
struct TMessage {
    unsigned Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// The layer's own messages, sent with Perform between controls; they live in the private
// application range of window messages.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 4;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 5;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 6;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENTER = CM_BASE + 12;
constexpr unsigned CM_EXIT = CM_BASE + 13;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 22;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 23;
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 24;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 26;
constexpr unsigned CM_RELEASE = CM_BASE + 33;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 34;
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 50;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 51;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 52;
constexpr unsigned CM_CANCELMODE = CM_BASE + 4 * 16 + 0;
constexpr unsigned CM_APPKEYDOWN = CM_BASE + 4 * 16 + 5;
constexpr unsigned CM_APPSYSCOMMAND = CM_BASE + 4 * 16 + 6;
constexpr unsigned CM_DRAG = CM_BASE + 4 * 16 + 15;
constexpr unsigned CM_MOUSEWHEEL = CM_BASE + 4 * 16 + 19;
// Posted to a window restored from minimised whose bounds were set meanwhile.
constexpr unsigned CM_RESTOREDBOUNDS = CM_BASE + 4 * 16 + 20;

// Notifications that a parent reflects back to the child control they are about.
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_CTLCOLOREDIT = CN_BASE + 0x0133;
constexpr unsigned CN_CTLCOLORSTATIC = CN_BASE + 0x0138;
constexpr unsigned CN_CTLCOLORBTN = CN_BASE + 0x0135;
constexpr unsigned CN_CTLCOLORLISTBOX = CN_BASE + 0x0134;
constexpr unsigned CN_COMMAND = CN_BASE + 0x0111;
constexpr unsigned CN_NOTIFY = CN_BASE + 0x004E;
// A key on its way to the focused window, shown to its control first by the message loop
// (Result non-zero: the key was taken and the window does not get it).
constexpr unsigned CN_KEYDOWN = CN_BASE + 0x0100;
constexpr unsigned CN_CHAR = CN_BASE + 0x0102;
constexpr unsigned CN_SYSKEYDOWN = CN_BASE + 0x0104;
constexpr unsigned CN_SYSCHAR = CN_BASE + 0x0106;
constexpr unsigned CN_HSCROLL = CN_BASE + 0x0114;
constexpr unsigned CN_VSCROLL = CN_BASE + 0x0115;

// A key message as shortcut handlers see it: the virtual key and the key data of the message.
struct TWMKey {
    unsigned Msg = 0;
    uint16_t CharCode = 0;
    intptr_t KeyData = 0;
};

// Whether Alt was held for a key, by its message's own key data (the context code).
inline bool HeldWithAlt(intptr_t KeyData) {
    return (KeyData >> 29) & 1;
}

class TControl;
class TDragObject;

enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };

// LParam of CM_DRAG; Pos is in the target's client coordinates. The answer to the enter, move and
// leave messages is in TMessage::Result (non-zero: the target accepts the drop).
struct TDragRec {
    TPoint Pos;
    TDragObject* Source = nullptr;
    TControl* Target = nullptr;
};

// LParam of CM_HINTSHOW: the control may change the text and place or refuse the hint (Result
// non-zero).
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos; // client coordinates of HintControl
    TRect CursorRect; // the hint stays while the cursor stays in here
    TPoint HintPos;   // screen coordinates
    int HintMaxWidth = 0;
    std::string HintStr;
    int HideTimeout = 0;
};
