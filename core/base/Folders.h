#pragma once
// The folders the file commands work in, and the rules for names and paths inside them.
// The GUI fills Folders from the toolkit; tests point them at a temporary folder.

#include <string>
#include <vector>

namespace plandor {

struct Folders {
    // Where layouts and library blocks live: the executable's folder, or the user's data
    // folder when the program is installed where users cannot write (see layoutFolderFor).
    std::string application;
    std::string downloads; // the user's Downloads folder (may be empty or missing)
    std::string home;      // the user's home folder
    // Where recovery copies of unsaved layouts are kept (see recoveryFolderFor); empty: none
    // are kept, as in tests that do not ask for them.
    std::string recovery;
};

// Which platform's rules name the user's data folder.
enum class DataFolderRules { Xdg, Windows };
#ifdef _WIN32
constexpr DataFolderRules kNativeDataFolderRules = DataFolderRules::Windows;
#else
constexpr DataFolderRules kNativeDataFolderRules = DataFolderRules::Xdg;
#endif

// What the data folder rules read from the environment.
struct UserDataEnvironment {
    DataFolderRules rules = kNativeDataFolderRules;
    std::string xdgDataHome; // $XDG_DATA_HOME
    std::string appData;     // %APPDATA%
    std::string home;        // the user's home folder
};

// The folder layouts and library blocks live in: the executable's folder while it can be
// written (running from the build folder or an unpacked zip), otherwise the user's data folder:
// $XDG_DATA_HOME/plandor (~/.local/share/plandor when XDG_DATA_HOME is unset, empty or not
// absolute), or on Windows %APPDATA%\Plandor (<home>\AppData\Roaming\Plandor when APPDATA is
// unset, empty or not absolute).
std::string layoutFolderFor(const std::string& executableFolder, bool executableFolderWritable,
                            const UserDataEnvironment& environment);
// The folder of recovery copies: $XDG_STATE_HOME/plandor/recovery, or
// ~/.local/state/plandor/recovery when XDG_STATE_HOME is unset, empty or not absolute.
std::string recoveryFolderFor(const std::string& xdgStateHome, const std::string& home);
// True when the process may create files in the folder (on Windows by creating one: access
// lists decide there, which the permission bits do not show).
bool isWritableFolder(const std::string& folder);
// Creates a folder and its parents; true when it exists afterwards.
bool ensureFolder(const std::string& folder);
// The first of the folders holding a file of that name, as a path; empty when none does.
std::string findFileIn(const std::vector<std::string>& folders, const std::string& fileName);

// Where Import and Export start: Downloads, or home when Downloads is empty or missing.
std::string transferStartFolder(const Folders& folders);

// folder + "/" + file name (no doubled separator; Windows takes "/" as well).
std::string joinPath(const std::string& folder, const std::string& fileName);
// folder + separator + name + ".plo".
std::string layoutPath(const std::string& folder, const std::string& name);
// The file name of a path without folder and extension.
std::string layoutNameOf(const std::string& path);
// Two spellings of one path (doubled separators, "." parts) compare equal.
bool samePath(const std::string& a, const std::string& b);

// A layout file found in a folder.
struct LayoutFileEntry {
    std::string name; // file name without extension
    std::string path;
};

// The ".plo" files and then the ".xml" files of a folder (not its sub-folders), each group
// in name order. Empty when the folder is missing.
std::vector<LayoutFileEntry> listLayoutFiles(const std::string& folder);
// The names of the files, sorted (a name found as ".plo" and ".xml" appears twice).
std::vector<std::string> sortedLayoutNames(const std::vector<LayoutFileEntry>& files);
// The first file with exactly this name, or null; ".plo" files come first in the list.
const LayoutFileEntry* findLayoutFile(const std::vector<LayoutFileEntry>& files,
                                      const std::string& name);

// Full file names (with extension) of the ".plo" and ".xml" files in a folder, sorted;
// empty when the trimmed folder text is empty or not an existing folder.
std::vector<std::string> listImportableFiles(const std::string& folder);

// Blanks trimmed at both ends.
std::string trimBlanks(const std::string& text);
// A typed name without its extension ("Yard.plo" -> "Yard"; a leading dot starts no extension).
std::string dropExtension(const std::string& name);
// True when a name used as a file name would leave its folder: it contains a path separator
// ("/", on Windows also "\\" and the drive colon) or is "." or "..". Such names are refused
// before anything is written.
bool nameLeavesFolder(const std::string& name);

bool isFolder(const std::string& path);
bool fileExists(const std::string& path);
// Copies a file, replacing the target only once the copy is whole; false on any failure.
bool copyFileReplacing(const std::string& from, const std::string& to);
// Removes a file; false when it could not be removed.
bool removeFile(const std::string& path);

} // namespace plandor
