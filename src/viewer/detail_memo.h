#pragma once
#include <string>

class TMemo;
class TSplitter;
class TWinControl;

// A read-only memo along the bottom of a window, with both scroll bars and no word wrap, under
// a 4-pixel splitter that sizes it against what fills the rest.
struct TDetailMemo {
    TMemo* Memo = nullptr;
    TSplitter* Splitter = nullptr;
};
TDetailMemo AddDetailMemo(TWinControl* Parent, const std::string& MemoName, int Height);
