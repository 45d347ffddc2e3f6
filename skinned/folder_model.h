#pragma once
// What the file dialog knows about folders, files and typed names, with no
// window in sight: file types and masks, extensions, the names typed into
// the dialog, the starting folder, the back history, the new-folder names,
// reading a folder and ordering its entries, the look-in box's rows and the
// file system's failures as the framework's I/O errors.
//
// Encodings. Paths and names on disk are UTF-8 byte strings (the file
// system's own) and are kept exactly as read, so a name that code page 936
// cannot hold is still listed, entered and saved by its real bytes. Texts
// shown or typed (filter descriptions, masks, the name box) are code page
// 936; they are converted at the moment they meet a path, never before.
//
// Paths use "/" and are absolute. A folder path never ends in "/" except the
// root itself.
//
// Sections: I/O errors - file types and masks - extensions - typed names and
// acceptance - the starting folder - back history - new folders - reading a
// folder - order - the look-in box.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lt {

// ---- I/O errors ------------------------------------------------------------------

// The framework's run-time I/O error: code 2 "File not found", 3 "Invalid
// filename", 4 "Too many open files", 5 "File access denied", 101 "Disk
// full", any other "I/O error %d".
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int code);
    // The error of a failed system call: its number's code and message.
    static EInOutError FromErrno(int err);
    int ErrorCode() const { return code_; }

private:
    EInOutError(int code, const std::string& message);
    int code_;
};

std::string InOutErrorMessage(int code);
// The I/O error code of a system error number: a missing or malformed path
// 3, too many open files 4, no permission or a read-only file system 5, no
// space 101; any other number stands for itself (and its message is
// "I/O error <number>" even where that number is also one of the codes).
int InOutCodeFromErrno(int err);
std::string ErrnoMessage(int err);

// ---- file types and masks ----------------------------------------------------

// One entry of the type box: what it shows and the mask kept beside it
// (both code page 936).
struct FileFilter {
    std::string description;
    std::string mask;
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Reads "description|mask|description|mask..." left to right; a trailing
// description without its mask is dropped.
std::vector<FileFilter> ParseFilter(std::string_view filter);
// The mask of entry `index` (0-based); out of range: the last entry's; with
// no entries "*.*".
std::string FilterMask(const std::vector<FileFilter>& filters, int index);

// One file-mask pattern against a name: "*" any run, "?" one character,
// "[...]" one character of a set (ranges "a-z", "!" or "^" first negates);
// ASCII letters match either case. Names and pattern are UTF-8 and "?"
// takes a whole character.
bool MatchesPattern(std::string_view pattern, std::string_view name);
// The mask test for a file (never for a folder): the mask splits at ";" and
// "|"; the name passes when a pattern that contains "." matches it, or a
// pattern is exactly "*" or "*.*" (all files, those without an extension
// too). The mask is code page 936, the name UTF-8.
bool MatchesMask(std::string_view mask_cp936, std::string_view name_utf8);

// ---- extensions --------------------------------------------------------------

// The extension of the last path element, dot included: the text from its
// last "."; "" when it has none. A leading dot (a hidden file's) starts no
// extension, so ".profile" has none.
std::string_view FileExtension(std::string_view path);
// The extension a saving file type gives: "" when its mask contains ".*",
// else the extension of its first pattern (the text before the first ";").
std::string MaskExtension(std::string_view mask);
// Only the final extension is replaced: "my.csvfile.csv" with ".txt" gives
// "my.csvfile.txt"; a name without one gets the extension appended.
std::string ReplaceExtension(std::string_view name, std::string_view ext);
// After the file type changed: the name with its extension replaced by the
// new mask's (or the mask's appended), unless the mask contains ".*", gives
// no extension, or the name is empty; then the name unchanged.
std::string NameForFileType(std::string_view name, std::string_view mask);

// ---- typed names and acceptance --------------------------------------------------

// The last path element and the folder part ("" when the path has no "/";
// "/" for an element right under the root).
std::string_view NameOfPath(std::string_view path);
std::string FolderOfPath(std::string_view path);
// A child of a folder: folder + "/" + name (one "/" only, also under root).
std::string JoinPath(std::string_view folder, std::string_view name);
// The parent folder; the root's parent is none.
std::optional<std::string> ParentFolder(std::string_view folder);
// "/a/./b/../c/" -> "/a/c": dots and repeated slashes folded, without
// consulting the disk.
std::string NormalizePath(std::string_view path);

// What the name box holds: the text shown (code page 936) and, when the
// dialog put it there from a real name, that name's bytes. While the shown
// text is untouched the real name stands for it, so a name with characters
// the code page lacks (shown as "?") is still the name saved.
struct NameBoxText {
    std::string shown;
    std::string original;

    // The UTF-8 name the shown text stands for.
    std::string Utf8() const;
    // A name from disk: shown converted, original kept.
    static NameBoxText FromName(std::string_view utf8);
};

// The path accepted when Save is pressed with `typed` (UTF-8) in the name
// box while `folder` is listed; nothing for an empty name, one containing
// "*" or a control character, or one whose last element is empty, "." or
// ".." (a folder, not a file name). A name starting with "/" is an absolute path and is taken as typed;
// any other is joined to the folder with "/".
std::optional<std::string> AcceptedPath(std::string_view folder, std::string_view typed);
// What Execute makes of an accepted path in save mode: the file type's
// extension appended when the path has none, then "." + DefaultExt when it
// still has none and DefaultExt is not empty.
std::string FinishSavePath(std::string_view path, std::string_view mask, std::string_view default_ext);

// ---- the starting folder ---------------------------------------------------------

// What the starting folder depends on outside the dialog.
struct FolderContext {
    // The program's own folder, the home folder ("" when unset) and the
    // working directory.
    std::string program_folder;
    std::string home;
    std::string working;
    std::function<bool(const std::string&)> is_folder;
    std::function<bool(const std::string&)> writable;

    // The context of this process.
    static FolderContext System();
};

// The program's own folder when it is writable, else the home folder, else
// the working directory.
std::string DefaultFolder(const FolderContext& context);
// The folder part of `file_name` when it has one and it exists; else
// InitialDir when it is set and exists; else DefaultFolder.
std::string StartingFolder(std::string_view file_name, std::string_view initial_dir, const FolderContext& context);

// ---- back history ----------------------------------------------------------------

// The folders entered in one run of the dialog. "Back" goes to the folder
// visited last before the current one: with two or more entries it takes
// the second-last out and enters it, which appends it again, so two Backs
// return to where they started.
class BackHistory {
public:
    // A folder was entered: appended unless it equals the last entry.
    void Entered(const std::string& folder);
    // The folder Back enters, taken out of the history; nothing with fewer
    // than two entries.
    std::optional<std::string> TakeBack();
    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

// ---- new folders -------------------------------------------------------------------

// The name for counter n: the base, then "(n)" when n is above 1.
std::string NewFolderName(std::string_view base, int counter);
// Creates the next free new folder in `folder`: raises the counter and tries
// its name with one mkdir, going on while the name is taken (by a folder or
// a file) up to a bound. Returns the name created. Throws EInOutError for
// any other failure (and when no free name is found). `base` is UTF-8.
std::string CreateNewFolder(const std::string& folder, std::string_view base, int& counter);

// ---- reading a folder ----------------------------------------------------------------

struct FolderEntry {
    // The name as it is on disk (UTF-8, not always valid).
    std::string name;
    bool folder = false;
    // Bytes; 0 for folders.
    std::int64_t size = 0;
    // Seconds since the epoch of the last write.
    std::int64_t modified = 0;
    // Whether size and modified have been read (see ReadFolder).
    bool details = true;
};

// Reads a folder: every sub-folder (a symbolic link to one counts), and
// every other entry whose name passes the mask; dot-files only with
// `show_hidden`. Throws EInOutError when the folder cannot be read.
// Without `details` an entry whose kind the folder itself tells is not
// looked at any further: its size and time are left for ReadDetails, which
// spares a big folder one file-system call per entry when few will show.
std::vector<FolderEntry> ReadFolder(
    const std::string& folder, std::string_view mask_cp936, bool show_hidden, bool details = true);
// Reads an entry's size and last write time when ReadFolder left them (an
// entry gone since keeps zeros).
void ReadDetails(const std::string& folder, FolderEntry& entry);

// Renames an entry of `folder` without ever replacing another one. An empty
// name or one holding "/" or a control character is an invalid file name
// (EInOutError 3); a name that is taken raises "Cannot rename "<old>". File
// exists" (names shown in code page 936); other failures raise EInOutError.
void RenameEntry(const std::string& folder, const std::string& old_name, const std::string& new_name);
// True for a folder with no entries at all (hidden ones count).
bool FolderIsEmpty(const std::string& path);
// Deletes a file, or a folder that is empty; EInOutError when that fails.
void DeleteEntry(const std::string& folder, const FolderEntry& entry);

// The shown name (code page 936; "?" for what it cannot hold).
std::string DisplayName(std::string_view name_utf8);
// The type column: "File Folder", "<EXT> File" ("TXT File") or "File".
std::string TypeName(const FolderEntry& entry);
// The size column: whole kilobytes rounded up, "<n> KB"; "" for folders.
std::string SizeText(const FolderEntry& entry);
// The modified column: "YYYY-MM-DD HH:MM" in local time.
std::string ModifiedText(const FolderEntry& entry);

// ---- order ----------------------------------------------------------------------------

enum class SortColumn { Name, Size, Type, Modified };

// The display order of names: runs of digits compare by value, ASCII letters
// without case, everything else by its bytes (so by code point); equal names
// fall back to their bytes.
bool DisplayOrderLess(std::string_view a, std::string_view b);
// Sorts entries: folders first, then by the column (ties by name), the
// column's order reversed when `descending` (folders stay first). Sorting by
// name is the display order.
void SortEntries(std::vector<FolderEntry>& entries, SortColumn column, bool descending);

// Type-ahead: the first entry from `from` on (wrapping to the top) whose name
// begins with `prefix` (UTF-8), ASCII letters either case; -1 when none.
int FindEntryWithPrefix(const std::vector<FolderEntry>& entries, int from, std::string_view prefix_utf8);

// ---- the look-in box ------------------------------------------------------------------

enum class PlaceKind { Home, Desktop, Root, Volume, Folder };

struct LookInRow {
    std::string path;
    // Shown (code page 936).
    std::string name;
    int level = 0;
    PlaceKind kind = PlaceKind::Folder;
    friend bool operator==(const LookInRow&, const LookInRow&) = default;
};

// The mount points of removable and extra volumes in a mountinfo text: those
// under /media, /mnt or /run/media, and other file systems of a device
// ("/dev/...") outside the system's own trees; never "/" itself; in the
// text's order, each once. Escapes such as "\040" are decoded.
std::vector<std::string> ParseMountedVolumes(std::string_view mountinfo);
// The mounted volumes of this system that are folders.
std::vector<std::string> MountedVolumes();
// The desktop folder named by XDG_DESKTOP_DIR in a user-dirs.dirs text
// ("$HOME/..." or absolute), else home + "/Desktop".
std::string DesktopPath(const std::string& home, std::string_view user_dirs);
// This user's desktop folder when it exists.
std::optional<std::string> DesktopFolder(const std::string& home);

// The rows of the look-in box: the home folder, the desktop folder in it
// when there is one (a level in), the root, the volumes (a level in), and
// the chain of folders down to `current` below its nearest listed ancestor.
std::vector<LookInRow> LookInRows(const std::string& home, const std::optional<std::string>& desktop,
    const std::vector<std::string>& volumes, const std::string& current);
// The row of the current folder in LookInRows' result.
int CurrentLookInRow(const std::vector<LookInRow>& rows, const std::string& current);

} // namespace lt
