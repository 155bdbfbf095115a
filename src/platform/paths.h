// Where the running program lives, and where it finds its data files.
#pragma once

#include <string>

namespace qw {

// The folder of the running executable, without a trailing slash; empty when
// the executable sits in the root folder or cannot be found.
std::string ExecutableFolder();

// The data folder for an executable in exeFolder: `data` beside it (a build
// folder or an unpacked archive), else `../share/quenchway/data` from it (an
// installed copy, under any prefix), whichever is a folder first. When
// neither is, the folder beside the executable, so that a missing data file
// is reported where it has always been looked for.
std::string ChooseDataFolder(const std::string& exeFolder);

// ChooseDataFolder for the running executable.
std::string DataFolder();

// The folder of the player's progress: $XDG_DATA_HOME/quenchway, or
// $HOME/.local/share/quenchway when XDG_DATA_HOME is unset, empty or not an
// absolute path (such a value is to be ignored). Empty when neither gives
// an absolute folder.
std::string ChooseProgressFolder(const char* xdgDataHome, const char* home);

// ChooseProgressFolder from this process's environment, with the account's
// home folder from the user database when HOME is unset.
std::string ProgressFolder();

}  // namespace qw
