#pragma once
#include "vcl/base/set.h"

#include <string>

enum TBrowseFlag {
    bf_BrowseForComputer,
    bf_BrowseForPrinter,
    bf_DontGoBelowDomain,
    bf_statustext,
    bf_ReturnFSanceStors,
    bf_ReturnOnlyFSDIRS,
    bf_EditBox
};
using TBrowseFlags = TSet<TBrowseFlag>;

// Where the browse tree starts: nowhere in particular, a custom item list (Root), or one of the
// shell's special folders.
enum TBrowseLocation {
    bl_STANDART,
    bl_CUSTOM,
    bl_DESKTOP,
    bl_PROGRAMS,
    bl_CONTROLS,
    bl_PRINTERS,
    bl_PERSONAL,
    bl_FAVORITES,
    bl_STARTUP,
    bl_RECENT,
    bl_SENDTO,
    bl_BITBUCKET,
    bl_STARTMENU,
    bl_DESKTOPDIRECTORY,
    bl_DRIVES,
    bl_NETWORK,
    bl_NETHOOD,
    bl_FONTS,
    bl_TEMPLATES,
    bl_COMMON_STARTMENU,
    bl_COMMON_PROGRAMS,
    bl_COMMON_STARTUP,
    bl_COMMON_DESKTOPDIRECTORY,
    bl_APPDATA,
    bl_PRINTHOOD
};

// The shell's modal folder-browse dialog, opened on FolderName.
class TBrowseForFolder {
public:
    // True when the operator chose a folder: FolderName and DisplayName are then the choice.
    bool Execute();

    const std::string& DisplayName() const { return FDisplayName; }
    std::string StatusText = "Plase select folder";
    std::string FolderName = "C:\\";
    std::string Caption = "Select Folder";
    TBrowseFlags Flags() const { return FFlags; }
    void SetFlags(TBrowseFlags value) { FFlags = value; }
    TBrowseLocation Root = bl_STANDART;
    // The item list of a custom root (bl_CUSTOM); its owner keeps it.
    void* CustomRoot = nullptr;
    void* OwnerHandle = nullptr;

    // The shell's flag bits of the set.
    static unsigned ShellFlags(TBrowseFlags flags);

private:
    std::string FDisplayName;
    TBrowseFlags FFlags;
};

// Lets the operator choose a folder, starting at Dir; on success Dir is the chosen folder.
bool QZSelectDirectory(void* OwnerHandle, const std::string& Caption, std::string& Dir);
