#include "platform/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>

#include "core/Ascii.h"
#include "core/AtomicFile.h"
#include "model/MacroFile.h"

namespace zepo {
namespace {

constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The name of a "[Section]" line, or nothing.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    size_t close = line.find(']');
    if (close == npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';') return false;
    size_t eq = line.find('=');
    if (eq == npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

// Whether the bytes look like a settings file at all.
bool LooksLikeProfile(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return false;
    for (const std::string& line : SplitLines(bytes)) {
        std::string_view name, key, value;
        const std::string_view t = Trim(line);
        // Comments as hand-written settings files have them, ";" or "#".
        if (t.empty() || t.front() == ';' || t.front() == '#' || SectionName(line, name) || KeyLine(line, key, value))
            continue;
        return false;
    }
    return true;
}

}  // namespace

ProfileFile ProfileFile::Load(const std::filesystem::path& path, ProfileProblem* problem) {
    ProfileProblem ignored;
    ProfileProblem& why = problem ? *problem : ignored;
    why = ProfileProblem::None;
    // Read at start-up before any window: a FIFO of that name would block the editor for
    // good and a device could be endless, so only a plain file of settings size is read.
    // The type is asked before opening (opening some devices does something by itself) and
    // again of the opened file, which may have been replaced in between; non-blocking, so
    // that even opening a FIFO returns at once.
    std::error_code ec;
    const std::filesystem::file_status type = std::filesystem::status(path, ec);
    if (type.type() == std::filesystem::file_type::not_found) {
        why = ProfileProblem::Missing;
        return ProfileFile{};
    }
    why = ProfileProblem::Unreadable;
    if (type.type() != std::filesystem::file_type::regular) return ProfileFile{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return ProfileFile{};
    std::string bytes;
    struct stat status {};
    bool usable = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                  static_cast<std::uintmax_t>(status.st_size) <= kMaxProfileBytes;
    if (usable) {
        // One byte more than the cap tells a file that grew past it since fstat.
        bytes.resize(kMaxProfileBytes + 1);
        size_t filled = 0;
        while (filled < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) usable = false;
            if (n <= 0) break;
            filled += static_cast<size_t>(n);
        }
        bytes.resize(filled);
        if (filled > kMaxProfileBytes) {
            usable = false;
            why = ProfileProblem::Corrupt;
        }
    } else if (S_ISREG(status.st_mode)) {
        why = ProfileProblem::Corrupt;  // too large to be settings
    }
    ::close(fd);
    if (!usable) return ProfileFile{};
    why = LooksLikeProfile(bytes) ? ProfileProblem::None : ProfileProblem::Corrupt;
    return FromBytes(bytes);
}

ProfileFile ProfileFile::FromBytes(std::string_view bytes) {
    ProfileFile p;
    p.lines_ = SplitLines(bytes);
    return p;
}

size_t ProfileFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (SectionName(lines_[i], name) && SameIgnoringAsciiCase(name, Trim(section))) return i;
    }
    return npos;
}

size_t ProfileFile::SectionEnd(size_t header) const {
    size_t i = header + 1;
    std::string_view name;
    while (i < lines_.size() && !SectionName(lines_[i], name)) ++i;
    return i;
}

size_t ProfileFile::FindKey(size_t header, std::string_view key) const {
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        std::string_view k, v;
        if (KeyLine(lines_[i], k, v) && SameIgnoringAsciiCase(k, Trim(key))) return i;
    }
    return npos;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key, std::string_view fallback) const {
    size_t header = FindSection(section);
    if (header == npos) return std::string(fallback);
    size_t at = FindKey(header, key);
    if (at == npos) return std::string(fallback);
    std::string_view k, v;
    KeyLine(lines_[at], k, v);
    // A value in matching quotes is read without them, as the platform always did.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    size_t header = FindSection(section);
    if (header == npos) return fallback;
    if (FindKey(header, key) == npos) return fallback;
    std::string v = GetString(section, key, "");
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
    if (i >= v.size() || v[i] < '0' || v[i] > '9') return fallback;
    long long n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
        n = n * 10 + (v[i] - '0');
        if (n > 0x7fffffffLL) return fallback;
    }
    return static_cast<int>(negative ? -n : n);
}

void ProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break in a value would start a line of its own and could forge another key
    // or section: the value ends where its first line ends.
    value = value.substr(0, value.find_first_of("\r\n"));
    // Reading trims blanks and takes off one pair of matching quotes. A value that would lose
    // something that way is written inside a pair of double quotes, which reading takes off
    // again: a tool option such as "$F" in quotes would otherwise lose a pair on every save.
    const bool blankAtEnd = !value.empty() && Trim(value).size() != value.size();
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    const std::string written = blankAtEnd || quoted ? "\"" + std::string(value) + "\"" : std::string(value);
    std::string line = std::string(key) + "=" + written;
    size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.push_back("");
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
        return;
    }
    size_t at = FindKey(header, key);
    if (at != npos) {
        lines_[at] = line;
        return;
    }
    // After the last non-blank line of the section, so that a blank separator stays last.
    size_t end = SectionEnd(header);
    while (end > header + 1 && Trim(lines_[end - 1]).empty()) --end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), line);
}

std::string ProfileFile::ToBytes() const { return JoinMacroLines(lines_); }

bool ProfileFile::Save(const std::filesystem::path& path) const {
    // Whole or not at all, and never into a pipe someone named like the settings file; a
    // settings file the user linked elsewhere is written where it lives.
    return WriteFileAtomically(path, ToBytes(), FileAccess::Shared, AtLink::Follow).ok();
}

}  // namespace zepo
