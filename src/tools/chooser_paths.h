#pragma once
#include <string>

// Where a path chooser opens and what it hands back; paths relative to RelativePath when that
// is set.

// The nearest existing folder at or above folder; empty when there is none to be found by going
// up (a missing drive root, a relative name that runs out).
std::string ExistingFolderUp(const std::string& folder);

// The folder the file chooser opens in for path, empty when none exists.
std::string FileChooserStartFolder(const std::string& path, const std::string& relativePath);
// The folder the folder chooser opens on for path, empty when none exists.
std::string FolderChooserStartFolder(const std::string& path, const std::string& relativePath);
// A chosen name as the chooser keeps it: relative to relativePath when that is set.
std::string ChosenPath(const std::string& chosen, const std::string& relativePath);
