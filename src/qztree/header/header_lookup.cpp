// The lookup editor: a combo box laid over a section, its history kept by the section.
#include "qztree/header/header.h"

#include "rtl/string_list.h"
#include "vcl/base/win_api.h"
#include "vcl/controls/combo_box.h"

#include <algorithm>
#include <cstdlib>

void TCustomQZHeader::OpenLookup(TQZHeaderSection* Section) {
    if (!Section || !Parent())
        return;
    if (!FLookup) {
        FLookup = CreateComponent<TComboBox>(nullptr);
        FLookup->SetVisible(false);
    } else {
        FLookup->SetText("");
    }
    FLookup->SetParent(Parent());
    FLookup->OnExit = ::Bind(this, &TCustomQZHeader::LookupExit);
    FLookup->OnKeyDown = ::Bind(this, &TCustomQZHeader::LookupKeyDown);
    FLookup->OnKeyUp = ::Bind(this, &TCustomQZHeader::LookupKeyUp);
    FLookup->OnChange = ::Bind(this, &TCustomQZHeader::LookupChange);
    FLookup->SetItems(Section->LookupHistory());
    FLookupSection = Section;
    TRect r = GetSectionRect(Section->Index());
    if (Section != FLockedSection)
        r = r.Offset(-FHPos, 0);
    r = r.Offset(Left(), Top());
    TFont font;
    font.Assign(Font());
    font.SetHeight(std::abs(Font()->Height()) - 3);
    FLookup->SetFont(&font);
    FLookup->SetBounds(r.Left, r.Top, r.Width(), std::max(FLookup->Height(), r.Height() - 2));
    FDoingLookup = true;
    FLookup->Show();
    FLookup->BringToFront();
    FFocusedCtl = GetFocus();
    FLookup->SetFocus();
}

void TCustomQZHeader::CloseLookup(bool Accept) {
    if (!FLookup || !FDoingLookup)
        return;
    FDoingLookup = false;
    TQZHeaderSection* section = FLookupSection;
    std::string text = FLookup->Text();
    DoSectionLookupDoneEvent(section, text, Accept);
    if (Accept && section) {
        TStringList* history = section->LookupHistory();
        int same = history->IndexOf(text);
        if (same >= 0)
            history->Delete(same);
        history->Insert(0, text);
    }
    FLookup->Hide();
    // The window that had the focus may be gone; then the focus stays where it is.
    if (FFocusedCtl && IsWindow(FFocusedCtl))
        ::SetFocus(FFocusedCtl);
}

void TCustomQZHeader::LookupChange(TObject* Sender) {
    if (FIgnoreLookupChange || !FLookupSection)
        return;
    std::string text = FLookup->Text();
    std::string asked = text;
    DoSectionLookupEvent(FLookupSection, text);
    if (text != asked) {
        FIgnoreLookupChange = true;
        FLookup->SetText(text);
        FIgnoreLookupChange = false;
    }
}

void TCustomQZHeader::LookupKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift) {
    if (!Shift.Empty())
        return;
    if (Key == VK_RETURN) {
        CloseLookup(true);
        Key = 0;
    } else if (Key == VK_ESCAPE) {
        CloseLookup(false);
        Key = 0;
    }
}

void TCustomQZHeader::LookupKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift) {
    if (Shift.Empty() && (Key == VK_RETURN || Key == VK_ESCAPE))
        Key = 0;
}

void TCustomQZHeader::LookupExit(TObject* Sender) {
    CloseLookup(false);
}
