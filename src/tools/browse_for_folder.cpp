#include "tools/browse_for_folder.h"

#include "rtl/modality/program_modal_dialog.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace {

const unsigned FlagBits[] = {BIF_BROWSEFORCOMPUTER,
                             BIF_BROWSEFORPRINTER,
                             BIF_DONTGOBELOWDOMAIN,
                             BIF_STATUSTEXT,
                             BIF_RETURNFSANCESTORS,
                             BIF_RETURNONLYFSDIRS,
                             BIF_EDITBOX};

const int SpecialFolders[] = {0,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 16,
                              17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

// An item list the shell gave us, freed with the shell's allocator.
struct TItemList {
    LPITEMIDLIST Items = nullptr;
    ~TItemList() { CoTaskMemFree(Items); }
};

// The new dialog style needs COM on the calling thread.
struct TComScope {
    HRESULT Result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~TComScope() {
        if (SUCCEEDED(Result))
            CoUninitialize();
    }
};

struct TStartData {
    std::wstring FolderName;
    std::wstring StatusText;
};

int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM, LPARAM data) {
    const auto* start = reinterpret_cast<const TStartData*>(data);
    switch (msg) {
    case BFFM_INITIALIZED:
        if (!start->FolderName.empty())
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, LPARAM(start->FolderName.c_str()));
        if (!start->StatusText.empty())
            SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, LPARAM(start->StatusText.c_str()));
        return 0;
    case BFFM_VALIDATEFAILEDW:
        return 1; // typed text that names no folder keeps the dialog open
    default:
        return 0;
    }
}

} // namespace

unsigned TBrowseForFolder::ShellFlags(TBrowseFlags flags) {
    unsigned bits = 0;
    for (int flag = bf_BrowseForComputer; flag <= bf_EditBox; ++flag)
        if (flags.Contains(TBrowseFlag(flag)))
            bits |= FlagBits[flag];
    return bits;
}

bool TBrowseForFolder::Execute() {
    TComScope com;
    TItemList special;
    LPCITEMIDLIST root = nullptr;
    if (Root == bl_CUSTOM)
        root = static_cast<LPCITEMIDLIST>(CustomRoot);
    else if (Root > bl_CUSTOM && SUCCEEDED(SHGetSpecialFolderLocation(
                                     static_cast<HWND>(OwnerHandle),
                                     SpecialFolders[Root - bl_DESKTOP], &special.Items)))
        root = special.Items;

    const std::wstring title = ToWide(Caption);
    TStartData start{ToWide(FolderName), ToWide(StatusText)};
    wchar_t displayName[MAX_PATH + 1] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = static_cast<HWND>(OwnerHandle);
    info.pidlRoot = root;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = ShellFlags(FFlags) | BIF_NEWDIALOGSTYLE | BIF_VALIDATE;
    info.lpfn = BrowseCallback;
    info.lParam = LPARAM(&start);

    TItemList chosen;
    {
        TProgramModalDialog modal(info.hwndOwner);
        chosen.Items = SHBrowseForFolderW(&info);
    }
    if (!chosen.Items)
        return false;
    wchar_t path[MAX_PATH + 1] = {};
    SHGetPathFromIDListW(chosen.Items, path);
    FolderName = FromWide(path);
    FDisplayName = FromWide(displayName);
    return true;
}

bool QZSelectDirectory(void* OwnerHandle, const std::string& Caption, std::string& Dir) {
    TBrowseForFolder browser;
    browser.FolderName = Dir;
    browser.Caption = Caption;
    browser.OwnerHandle = OwnerHandle;
    browser.SetFlags({bf_statustext, bf_ReturnOnlyFSDIRS});
    if (!browser.Execute())
        return false;
    Dir = browser.FolderName;
    return true;
}
