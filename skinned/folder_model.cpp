#include "skinned/folder_model.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "text/ascii.h"
#include "text/cp936.h"
#include "text/scope_exit.h"

namespace lt {

// ---- I/O errors ------------------------------------------------------------------

EInOutError::EInOutError(int code) : EInOutError(code, InOutErrorMessage(code))
{ }

EInOutError::EInOutError(int code, const std::string& message) : std::runtime_error(message), code_(code)
{ }

EInOutError EInOutError::FromErrno(int err)
{
    return EInOutError(InOutCodeFromErrno(err), ErrnoMessage(err));
}

std::string InOutErrorMessage(int code)
{
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 101:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(code);
    }
}

int InOutCodeFromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return 5;
    case ENOSPC:
    case EDQUOT:
        return 101;
    default:
        return err;
    }
}

std::string ErrnoMessage(int err)
{
    const int code = InOutCodeFromErrno(err);
    return code == err ? "I/O error " + std::to_string(err) : InOutErrorMessage(code);
}

// ---- file types and masks ----------------------------------------------------

std::vector<FileFilter> ParseFilter(std::string_view filter)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size() && !filter.empty()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos) {
            parts.emplace_back(filter.substr(start));
            break;
        }
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

std::string FilterMask(const std::vector<FileFilter>& filters, int index)
{
    if (filters.empty())
        return "*.*";
    if (index < 0 || index >= static_cast<int>(filters.size()))
        return filters.back().mask;
    return filters[static_cast<size_t>(index)].mask;
}

namespace {

// Code points of a UTF-8 text; a byte that starts no valid sequence stands
// for itself in a private range, so every name has a sequence and none
// matches a pattern character by accident.
std::vector<char32_t> CodePoints(std::string_view s)
{
    std::vector<char32_t> out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool ok = len > 0 && i + static_cast<size_t>(len) <= s.size();
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(0x110000 + b);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<size_t>(len);
    }
    return out;
}

char32_t Fold(char32_t c)
{
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

// Matches one "[...]" set starting at p[at] (the "["); sets `end` to the
// position after "]". False with end = at when the set is not closed.
bool MatchSet(const std::vector<char32_t>& p, size_t at, char32_t c, size_t& end)
{
    size_t i = at + 1;
    bool negate = false;
    if (i < p.size() && (p[i] == '!' || p[i] == '^')) {
        negate = true;
        ++i;
    }
    bool hit = false;
    bool first = true;
    while (i < p.size() && (p[i] != ']' || first)) {
        first = false;
        char32_t lo = p[i], hi = p[i];
        if (i + 2 < p.size() && p[i + 1] == '-' && p[i + 2] != ']') {
            hi = p[i + 2];
            i += 3;
        } else {
            ++i;
        }
        const char32_t f = Fold(c);
        if ((c >= lo && c <= hi) || (f >= Fold(lo) && f <= Fold(hi)))
            hit = true;
    }
    if (i >= p.size()) {
        end = at;
        return false;
    }
    end = i + 1;
    return hit != negate;
}

} // namespace

bool MatchesPattern(std::string_view pattern, std::string_view name)
{
    const std::vector<char32_t> p = CodePoints(pattern), n = CodePoints(name);
    // Greedy with one backtrack point: the last "*" and where it resumes.
    size_t pi = 0, ni = 0, star = std::string_view::npos, resume = 0;
    while (ni < n.size()) {
        if (pi < p.size()) {
            if (p[pi] == '*') {
                star = pi++;
                resume = ni;
                continue;
            }
            if (p[pi] == '?') {
                ++pi;
                ++ni;
                continue;
            }
            if (p[pi] == '[') {
                size_t end = pi;
                if (MatchSet(p, pi, n[ni], end)) {
                    pi = end;
                    ++ni;
                    continue;
                }
                if (end != pi) {
                    // A closed set that did not match: backtrack below.
                } else if (Fold(n[ni]) == '[') {
                    // An unclosed "[" is an ordinary character.
                    ++pi;
                    ++ni;
                    continue;
                }
            } else if (Fold(p[pi]) == Fold(n[ni])) {
                ++pi;
                ++ni;
                continue;
            }
        }
        if (star == std::string_view::npos)
            return false;
        pi = star + 1;
        ni = ++resume;
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

bool MatchesMask(std::string_view mask_cp936, std::string_view name_utf8)
{
    const std::string mask = cp936_to_utf8(mask_cp936);
    size_t start = 0;
    while (start <= mask.size()) {
        size_t end = mask.find_first_of(";|", start);
        if (end == std::string::npos)
            end = mask.size();
        const std::string_view pattern = Trim(std::string_view(mask).substr(start, end - start));
        if (pattern == "*" || pattern == "*.*")
            return true;
        if (pattern.find('.') != std::string_view::npos && MatchesPattern(pattern, name_utf8))
            return true;
        start = end + 1;
    }
    return false;
}

// ---- extensions --------------------------------------------------------------

std::string_view FileExtension(std::string_view path)
{
    const std::string_view name = NameOfPath(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return name.substr(dot);
}

std::string MaskExtension(std::string_view mask)
{
    if (mask.find(".*") != std::string_view::npos)
        return {};
    return std::string(FileExtension(Trim(mask.substr(0, mask.find(';')))));
}

std::string ReplaceExtension(std::string_view name, std::string_view ext)
{
    const std::string_view old = FileExtension(name);
    return std::string(name.substr(0, name.size() - old.size())) + std::string(ext);
}

std::string NameForFileType(std::string_view name, std::string_view mask)
{
    const std::string ext = cp936_to_utf8(MaskExtension(mask));
    if (name.empty() || ext.empty())
        return std::string(name);
    return ReplaceExtension(name, ext);
}

// ---- typed names and acceptance --------------------------------------------------

std::string_view NameOfPath(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FolderOfPath(std::string_view path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string out(folder);
    if (out.empty() || out.back() != '/')
        out += '/';
    out += name;
    return out;
}

std::optional<std::string> ParentFolder(std::string_view folder)
{
    if (folder.empty() || folder == "/")
        return std::nullopt;
    std::string parent = FolderOfPath(folder);
    if (parent.empty())
        return std::nullopt;
    return parent;
}

std::string NormalizePath(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (std::string_view part : parts) {
        out += '/';
        out += part;
    }
    return out.empty() ? "/" : out;
}

std::string NameBoxText::Utf8() const
{
    return !original.empty() && shown == DisplayName(original) ? original : cp936_to_utf8(shown);
}

NameBoxText NameBoxText::FromName(std::string_view utf8)
{
    return {DisplayName(utf8), std::string(utf8)};
}

std::optional<std::string> AcceptedPath(std::string_view folder, std::string_view typed)
{
    if (typed.empty() || typed.find('*') != std::string_view::npos)
        return std::nullopt;
    // A control character never belongs in a name typed by hand.
    if (std::any_of(typed.begin(), typed.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return std::nullopt;
    // The last element names the file: an empty one ("sub/") or "." or ".."
    // names a folder, and the extension Execute appends would make a hidden
    // dot-file inside it.
    const std::string_view last = typed.substr(typed.rfind('/') + 1);
    if (last.empty() || last == "." || last == "..")
        return std::nullopt;
    if (typed.front() == '/')
        return std::string(typed);
    return JoinPath(folder, typed);
}

std::string FinishSavePath(std::string_view path, std::string_view mask, std::string_view default_ext)
{
    std::string out(path);
    const std::string ext = cp936_to_utf8(MaskExtension(mask));
    if (FileExtension(out).empty())
        out += ext;
    if (FileExtension(out).empty() && !default_ext.empty()) {
        out += '.';
        out += default_ext;
    }
    return out;
}

// ---- the starting folder ---------------------------------------------------------

FolderContext FolderContext::System()
{
    FolderContext c;
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0)
        c.program_folder = FolderOfPath(std::string_view(buffer, static_cast<size_t>(n)));
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        c.home = NormalizePath(home);
    if (getcwd(buffer, sizeof buffer))
        c.working = buffer;
    else
        c.working = "/";
    c.is_folder = [](const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    };
    c.writable = [](const std::string& path) { return access(path.c_str(), W_OK | X_OK) == 0; };
    return c;
}

std::string DefaultFolder(const FolderContext& context)
{
    if (!context.program_folder.empty() && context.writable(context.program_folder))
        return context.program_folder;
    if (!context.home.empty() && context.is_folder(context.home))
        return context.home;
    return context.working;
}

std::string StartingFolder(std::string_view file_name, std::string_view initial_dir, const FolderContext& context)
{
    auto absolute = [&](std::string_view path) {
        return NormalizePath(path.front() == '/' ? std::string(path) : JoinPath(context.working, path));
    };
    const std::string from_name = FolderOfPath(file_name);
    if (!from_name.empty()) {
        const std::string folder = absolute(from_name);
        if (context.is_folder(folder))
            return folder;
    }
    if (!initial_dir.empty()) {
        const std::string folder = absolute(initial_dir);
        if (context.is_folder(folder))
            return folder;
    }
    return DefaultFolder(context);
}

// ---- back history ----------------------------------------------------------------

void BackHistory::Entered(const std::string& folder)
{
    if (entries_.empty() || entries_.back() != folder)
        entries_.push_back(folder);
}

std::optional<std::string> BackHistory::TakeBack()
{
    if (entries_.size() < 2)
        return std::nullopt;
    auto second_last = entries_.end() - 2;
    std::string folder = std::move(*second_last);
    entries_.erase(second_last);
    return folder;
}

// ---- new folders -------------------------------------------------------------------

std::string NewFolderName(std::string_view base, int counter)
{
    std::string name(base);
    if (counter > 1)
        name += "(" + std::to_string(counter) + ")";
    return name;
}

std::string CreateNewFolder(const std::string& folder, std::string_view base, int& counter)
{
    // Enough for any folder a person fills by hand; a bound so that a
    // folder that reports every name as taken cannot hold the dialog.
    constexpr int kAttempts = 10000;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        ++counter;
        std::string name = NewFolderName(base, counter);
        if (mkdir(JoinPath(folder, name).c_str(), 0777) == 0)
            return name;
        if (errno != EEXIST)
            throw EInOutError::FromErrno(errno);
    }
    throw EInOutError::FromErrno(EEXIST);
}

// ---- reading a folder ----------------------------------------------------------------

std::vector<FolderEntry> ReadFolder(
    const std::string& folder, std::string_view mask_cp936, bool show_hidden, bool details)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        throw EInOutError::FromErrno(errno);
    ScopeExit close_dir([dir] { closedir(dir); });
    const int fd = dirfd(dir);
    // The mask once in UTF-8, split into its patterns, for every file.
    const std::string mask = cp936_to_utf8(mask_cp936);
    std::vector<std::string> patterns;
    bool any = false;
    for (size_t start = 0; start <= mask.size();) {
        size_t end = mask.find_first_of(";|", start);
        if (end == std::string::npos)
            end = mask.size();
        const std::string_view pattern = Trim(std::string_view(mask).substr(start, end - start));
        if (pattern == "*" || pattern == "*.*")
            any = true;
        else if (pattern.find('.') != std::string_view::npos)
            patterns.emplace_back(pattern);
        start = end + 1;
    }
    auto passes = [&](std::string_view name) {
        return any || std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
            return MatchesPattern(p, name);
        });
    };

    std::vector<FolderEntry> entries;
    while (const dirent* d = readdir(dir)) {
        const std::string_view name = d->d_name;
        if (name == "." || name == "..")
            continue;
        if (name.front() == '.' && !show_hidden)
            continue;
        // A known plain file that fails the mask needs no stat.
        if (d->d_type == DT_REG && !passes(name))
            continue;
        FolderEntry e;
        e.name = name;
        if (!details && (d->d_type == DT_REG || d->d_type == DT_DIR)) {
            e.folder = d->d_type == DT_DIR;
            e.details = false;
            entries.push_back(std::move(e));
            continue;
        }
        struct stat st { };
        bool folder_entry = d->d_type == DT_DIR;
        if (fstatat(fd, d->d_name, &st, 0) == 0)
            folder_entry = S_ISDIR(st.st_mode);
        else if (fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            st = {};
        if (!folder_entry && d->d_type != DT_REG && !passes(name))
            continue;
        e.folder = folder_entry;
        e.size = folder_entry ? 0 : static_cast<std::int64_t>(st.st_size);
        e.modified = static_cast<std::int64_t>(st.st_mtime);
        entries.push_back(std::move(e));
    }
    return entries;
}

void ReadDetails(const std::string& folder, FolderEntry& entry)
{
    if (entry.details)
        return;
    entry.details = true;
    const std::string path = JoinPath(folder, entry.name);
    struct stat st { };
    if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0)
        return;
    entry.size = entry.folder ? 0 : static_cast<std::int64_t>(st.st_size);
    entry.modified = static_cast<std::int64_t>(st.st_mtime);
}

void RenameEntry(const std::string& folder, const std::string& old_name, const std::string& new_name)
{
    if (new_name.empty() || new_name == "." || new_name == ".." || new_name.find('/') != std::string::npos ||
        std::any_of(new_name.begin(), new_name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        throw EInOutError(3);
    if (new_name == old_name)
        return;
    // RENAME_NOREPLACE: renaming onto a taken name must never delete what
    // bore it.
    const std::string from = JoinPath(folder, old_name), to = JoinPath(folder, new_name);
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    const int err = errno;
    if (err == EEXIST)
        throw std::runtime_error(
            "Cannot rename \"" + DisplayName(old_name) + "\". " + std::system_category().message(err));
    throw EInOutError::FromErrno(err);
}

bool FolderIsEmpty(const std::string& path)
{
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return false;
    ScopeExit close_dir([dir] { closedir(dir); });
    while (const dirent* d = readdir(dir)) {
        const std::string_view name = d->d_name;
        if (name != "." && name != "..")
            return false;
    }
    return true;
}

void DeleteEntry(const std::string& folder, const FolderEntry& entry)
{
    const std::string path = JoinPath(folder, entry.name);
    struct stat st;
    // A link to a folder is removed as the link it is.
    const bool real_folder = lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if ((real_folder ? rmdir(path.c_str()) : unlink(path.c_str())) != 0)
        throw EInOutError::FromErrno(errno);
}

std::string DisplayName(std::string_view name_utf8)
{
    return utf8_to_cp936(name_utf8);
}

std::string TypeName(const FolderEntry& entry)
{
    if (entry.folder)
        return "File Folder";
    const std::string_view ext = FileExtension(entry.name);
    if (ext.size() < 2)
        return "File";
    std::string upper = DisplayName(ext.substr(1));
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return upper + " File";
}

std::string SizeText(const FolderEntry& entry)
{
    if (entry.folder)
        return {};
    return std::to_string((entry.size + 1023) / 1024) + " KB";
}

std::string ModifiedText(const FolderEntry& entry)
{
    const std::time_t t = static_cast<std::time_t>(entry.modified);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
        tm.tm_hour, tm.tm_min);
    return buffer;
}

// ---- order ----------------------------------------------------------------------------

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// -1, 0 or 1 by the display order without the final byte comparison.
int CompareDisplay(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            size_t ie = i, je = j;
            while (ie < a.size() && IsDigit(a[ie]))
                ++ie;
            while (je < b.size() && IsDigit(b[je]))
                ++je;
            // Compare the runs by value: without leading zeros, the longer
            // run is the larger number; equal lengths compare digit by digit.
            size_t is = i, js = j;
            while (is + 1 < ie && a[is] == '0')
                ++is;
            while (js + 1 < je && b[js] == '0')
                ++js;
            if (ie - is != je - js)
                return ie - is < je - js ? -1 : 1;
            const int c = a.substr(is, ie - is).compare(b.substr(js, je - js));
            if (c != 0)
                return c < 0 ? -1 : 1;
            i = ie;
            j = je;
            continue;
        }
        const unsigned char x = ascii_lower(static_cast<unsigned char>(a[i]));
        const unsigned char y = ascii_lower(static_cast<unsigned char>(b[j]));
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

bool DisplayOrderLess(std::string_view a, std::string_view b)
{
    const int c = CompareDisplay(a, b);
    return c != 0 ? c < 0 : a < b;
}

namespace {

// A byte string whose plain byte order is the display order of CompareDisplay:
// ASCII letters lowered; a run of digits as one byte from the digits' range
// (a digit meets any other character as any digit would), its length
// without leading zeros (names are at most 255 bytes), then those digits.
// Sorting a big folder compares these with memcmp instead of walking the
// names' digit runs again at every comparison.
std::string DisplayKey(std::string_view name)
{
    std::string key;
    key.reserve(name.size() + 4);
    for (size_t i = 0; i < name.size();) {
        if (!IsDigit(name[i])) {
            key += static_cast<char>(ascii_lower(static_cast<unsigned char>(name[i])));
            ++i;
            continue;
        }
        size_t end = i;
        while (end < name.size() && IsDigit(name[end]))
            ++end;
        size_t start = i;
        while (start + 1 < end && name[start] == '0')
            ++start;
        key += '0';
        key += static_cast<char>(std::min<size_t>(end - start, 255));
        key.append(name.substr(start, end - start));
        i = end;
    }
    return key;
}

} // namespace

void SortEntries(std::vector<FolderEntry>& entries, SortColumn column, bool descending)
{
    // Sort records of precomputed keys, then move the entries once.
    struct Item {
        std::string key;
        std::string type;
        FolderEntry* entry;
    };
    std::vector<Item> items;
    items.reserve(entries.size());
    for (FolderEntry& e : entries)
        items.push_back({DisplayKey(e.name), column == SortColumn::Type ? TypeName(e) : std::string(), &e});
    auto by_column = [column](const Item& x, const Item& y) -> int {
        const FolderEntry& a = *x.entry;
        const FolderEntry& b = *y.entry;
        switch (column) {
        case SortColumn::Size:
            if (a.size != b.size)
                return a.size < b.size ? -1 : 1;
            break;
        case SortColumn::Modified:
            if (a.modified != b.modified)
                return a.modified < b.modified ? -1 : 1;
            break;
        case SortColumn::Type:
            if (const int c = x.type.compare(y.type); c != 0)
                return c < 0 ? -1 : 1;
            break;
        case SortColumn::Name:
            break;
        }
        // The display order, equal names by their bytes.
        if (const int c = x.key.compare(y.key); c != 0)
            return c < 0 ? -1 : 1;
        const int c = a.name.compare(b.name);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    };
    std::sort(items.begin(), items.end(), [&](const Item& x, const Item& y) {
        if (x.entry->folder != y.entry->folder)
            return x.entry->folder;
        const int c = by_column(x, y);
        return descending ? c > 0 : c < 0;
    });
    std::vector<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const Item& item : items)
        sorted.push_back(std::move(*item.entry));
    entries = std::move(sorted);
}

int FindEntryWithPrefix(const std::vector<FolderEntry>& entries, int from, std::string_view prefix_utf8)
{
    const int n = static_cast<int>(entries.size());
    if (n == 0 || prefix_utf8.empty())
        return -1;
    from = std::clamp(from, 0, n);
    for (int k = 0; k < n; ++k) {
        const int i = (from + k) % n;
        const std::string& name = entries[static_cast<size_t>(i)].name;
        if (name.size() >= prefix_utf8.size() &&
            ascii_iequals(std::string_view(name).substr(0, prefix_utf8.size()), prefix_utf8))
            return i;
    }
    return -1;
}

// ---- the look-in box ------------------------------------------------------------------

namespace {

// Decodes the octal escapes mountinfo uses for spaces, tabs, newlines and
// backslashes in paths.
std::string DecodeMountPath(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && IsDigit(s[i + 1]) && IsDigit(s[i + 2]) && IsDigit(s[i + 3])) {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool Under(std::string_view path, std::string_view folder)
{
    return path == folder ||
        (path.size() > folder.size() && path.substr(0, folder.size()) == folder && path[folder.size()] == '/');
}

} // namespace

std::vector<std::string> ParseMountedVolumes(std::string_view mountinfo)
{
    static constexpr std::string_view kPseudo[] = {"proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "cgroup", "cgroup2",
        "mqueue", "debugfs", "tracefs", "securityfs", "pstore", "bpf", "autofs", "hugetlbfs", "fusectl", "configfs",
        "binfmt_misc", "nsfs", "rpc_pipefs", "efivarfs", "ramfs", "squashfs", "overlay"};
    static constexpr std::string_view kSystem[] = {
        "/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/etc", "/usr", "/var", "/tmp"};
    std::vector<std::string> volumes;
    std::istringstream lines{std::string(mountinfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> f;
        std::string field;
        while (fields >> field)
            f.push_back(field);
        const auto dash = std::find(f.begin(), f.end(), "-");
        if (f.size() < 5 || dash == f.end() || f.end() - dash < 3)
            continue;
        const std::string point = DecodeMountPath(f[4]);
        const std::string& type = *(dash + 1);
        const std::string& source = *(dash + 2);
        if (point.empty() || point.front() != '/' || point == "/")
            continue;
        const bool removable = Under(point, "/media") || Under(point, "/mnt") || Under(point, "/run/media");
        const bool device = source.rfind("/dev/", 0) == 0 &&
            std::find(std::begin(kPseudo), std::end(kPseudo), type) == std::end(kPseudo) &&
            std::none_of(std::begin(kSystem), std::end(kSystem), [&](std::string_view s) { return Under(point, s); });
        if ((removable || device) && std::find(volumes.begin(), volumes.end(), point) == volumes.end())
            volumes.push_back(point);
    }
    return volumes;
}

std::vector<std::string> MountedVolumes()
{
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> volumes;
    for (std::string& v : ParseMountedVolumes(text.str())) {
        struct stat st;
        if (stat(v.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            volumes.push_back(std::move(v));
    }
    return volumes;
}

std::string DesktopPath(const std::string& home, std::string_view user_dirs)
{
    std::istringstream lines{std::string(user_dirs)};
    std::string line;
    while (std::getline(lines, line)) {
        constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
        if (line.rfind(kKey, 0) != 0)
            continue;
        std::string value = line.substr(kKey.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home + value.substr(5);
        if (!value.empty() && value.front() == '/')
            return NormalizePath(value);
    }
    return JoinPath(home, "Desktop");
}

std::optional<std::string> DesktopFolder(const std::string& home)
{
    if (home.empty())
        return std::nullopt;
    std::string config = home + "/.config";
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        config = xdg;
    std::ifstream in(config + "/user-dirs.dirs");
    std::stringstream text;
    text << in.rdbuf();
    const std::string path = DesktopPath(home, text.str());
    struct stat st;
    if (path == home || stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return path;
}

std::vector<LookInRow> LookInRows(const std::string& home, const std::optional<std::string>& desktop,
    const std::vector<std::string>& volumes, const std::string& current)
{
    auto name_of = [](const std::string& path) {
        return path == "/" ? std::string("/") : DisplayName(NameOfPath(path));
    };
    std::vector<LookInRow> rows;
    auto listed = [&](const std::string& path) {
        return std::any_of(rows.begin(), rows.end(), [&](const LookInRow& r) { return r.path == path; });
    };
    if (!home.empty() && home != "/") {
        rows.push_back({home, name_of(home), 0, PlaceKind::Home});
        if (desktop && !desktop->empty() && *desktop != home)
            rows.push_back({*desktop, name_of(*desktop), 1, PlaceKind::Desktop});
    }
    rows.push_back({"/", "/", 0, PlaceKind::Root});
    for (const std::string& v : volumes)
        if (!v.empty() && !listed(v))
            rows.push_back({v, name_of(v), 1, PlaceKind::Volume});

    // The nearest listed ancestor of the current folder (the root at worst).
    int anchor = -1;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const std::string& p = rows[static_cast<size_t>(i)].path;
        if ((p == "/" || Under(current, p)) && (anchor < 0 || p.size() > rows[static_cast<size_t>(anchor)].path.size()))
            anchor = i;
    }
    if (anchor < 0 || rows[static_cast<size_t>(anchor)].path == current)
        return rows;
    const LookInRow base = rows[static_cast<size_t>(anchor)];
    std::vector<LookInRow> chain;
    std::string path = base.path;
    std::string_view rest = std::string_view(current).substr(base.path == "/" ? 1 : base.path.size() + 1);
    int level = base.level;
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        path = JoinPath(path, part);
        chain.push_back({path, DisplayName(part), ++level, PlaceKind::Folder});
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    rows.insert(rows.begin() + anchor + 1, chain.begin(), chain.end());
    return rows;
}

int CurrentLookInRow(const std::vector<LookInRow>& rows, const std::string& current)
{
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i)
        if (rows[static_cast<size_t>(i)].path == current)
            return i;
    return -1;
}

} // namespace lt
