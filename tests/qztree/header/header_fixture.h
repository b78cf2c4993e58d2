#pragma once
#include "qztree/header/header.h"

#include "vcl/core/forms.h"
#include "vcl/vcl_test_support.h"

#include <string>
#include <vector>

// A header across the top of a borderless form, drawn classically, with a log of its events.
struct THeaderOnForm {
    explicit THeaderOnForm(int sections = 0, int width = 400) : Form(MakeOwned<TForm>()) {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(30, 30, width, 200);
        Header = new TQZHeader(Form.get());
        Header->SetUseXPThemes(false);
        Header->SetParent(Form.get());
        for (int i = 0; i < sections; ++i) {
            TQZHeaderSection* s = Header->Sections()->AddSection();
            s->SetWidth(100);
            s->SetText("Section " + std::to_string(i));
        }
        Header->OnSectionDelete = [this](TObject*, TQZHeaderSection* s) {
            Events.push_back("delete " + Name(s));
        };
        Header->OnSectionCreate = [this](TObject*, TQZHeaderSection* s) {
            Events.push_back("create " + Name(s));
        };
        Header->OnSectionClick = [this](TObject*, TQZHeaderSection* s) {
            Events.push_back("click " + Name(s));
        };
        Header->OnSectionMove = [this](TObject*, TQZHeaderSection* s, int from, int to) {
            Events.push_back("move " + Name(s) + " " + std::to_string(from) + ">" +
                             std::to_string(to));
        };
        Header->OnSectionResize = [this](TObject*, TQZHeaderSection* s) {
            Events.push_back("resize " + Name(s));
        };
        Events.clear();
        Form->Show();
        Header->HandleNeeded();
    }
    static std::string Name(TQZHeaderSection* s) { return s ? s->Text() : std::string("none"); }
    TQZHeaderSection* At(int position) const { return Header->Sections()->ItemByPos(position); }
    void Mouse(unsigned msg, int x, int y) {
        SendMessageW(Header->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     PointToLParam(Point(x, y)));
    }
    void Drag(int x0, int y0, int x1, int y1) {
        Mouse(WM_MOUSEMOVE, x0, y0);
        Mouse(WM_LBUTTONDOWN, x0, y0);
        Mouse(WM_MOUSEMOVE, x1, y1);
        Mouse(WM_LBUTTONUP, x1, y1);
    }

    TOwnedPtr<TForm> Form;
    TQZHeader* Header;
    std::vector<std::string> Events;
};
