#include "vcl/dialogs/dialogs.h"

#include "rtl/modality/program_modal_dialog.h"
#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/core/screen.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace {
TOpenDialogHook& Hook() {
    static TOpenDialogHook hook;
    return hook;
}
} // namespace

TOpenDialogHook SetOpenDialogHook(TOpenDialogHook hook) {
    TOpenDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TOpenDialog", &TComponent::StaticClassInfo());
    return *info;
}

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
    FFiles->Clear();
    bool chosen = Hook() ? Hook()(*this) : ExecuteSystemDialog();
    if (chosen && FFiles->Count() == 0 && !FileName.empty())
        FFiles->Add(FileName);
    return chosen;
}

bool TOpenDialog::ExecuteSystemDialog() {
    // The filter's '|' separators become the zero characters the system expects.
    std::wstring filter = ToWide(Filter);
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    filter += L'\0';
    // A new zeroed buffer each run, holding the name the dialog starts with.
    std::vector<wchar_t> buffer(65536, L'\0');
    const std::wstring initial = ToWide(FileName);
    std::copy(initial.begin(),
              initial.begin() + std::min<size_t>(initial.size(), buffer.size() - 2),
              buffer.begin());
    std::wstring dir = ToWide(InitialDir), ext = ToWide(DefaultExt), title = ToWide(Title);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(FilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_EXPLORER | (Options.Contains(ofAllowMultiSelect) ? OFN_ALLOWMULTISELECT : 0) |
                (Options.Contains(ofFileMustExist) ? OFN_FILEMUSTEXIST : 0) |
                (Options.Contains(ofPathMustExist) ? OFN_PATHMUSTEXIST : 0) |
                (Options.Contains(ofHideReadOnly) ? OFN_HIDEREADONLY : 0) |
                (Options.Contains(ofNoChangeDir) ? OFN_NOCHANGEDIR : 0) |
                (Options.Contains(ofEnableSizing) ? OFN_ENABLESIZING : 0);
    {
        TProgramModalDialog modal(ofn.hwndOwner);
        if (!GetOpenFileNameW(&ofn))
            return false;
    }
    FilterIndex = int(ofn.nFilterIndex);
    TakeChosenNames(buffer.data());
    return true;
}

void TOpenDialog::TakeChosenNames(const wchar_t* names) {
    // One file: its full name, ended by a zero; whatever follows is left over from the name
    // the dialog started with. Only a multi-selection is the folder, then each name, each
    // ended by a zero, and a second zero at the end.
    if (!Options.Contains(ofAllowMultiSelect)) {
        FileName = FromWide(names);
        FFiles->Add(FileName);
        return;
    }
    std::vector<std::string> parts;
    for (const wchar_t* p = names; *p; p += wcslen(p) + 1)
        parts.push_back(FromWide(p));
    if (parts.size() == 1) {
        FileName = parts[0];
        FFiles->Add(FileName);
    } else if (parts.size() > 1) {
        std::string folder = parts[0];
        if (!folder.empty() && folder.back() != '\\')
            folder += '\\';
        for (size_t i = 1; i < parts.size(); ++i)
            FFiles->Add(folder + parts[i]);
        FileName = FFiles->Get(0);
    }
}
