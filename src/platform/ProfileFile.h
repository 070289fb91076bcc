#pragma once
// A sectioned settings file read and written the way the editor's settings always were:
// "[Section]" lines followed by "Key=Value" lines, section and key names compared without
// regard to ASCII case, values kept as raw (Shift-JIS) bytes. QSettings would escape keys
// and values, so the file is handled here line by line.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zepo {

// Far more than the editor's settings ever take; a larger file is not a settings file.
inline constexpr std::uintmax_t kMaxProfileBytes = std::uintmax_t{1} << 20;

// Why a file gave no profile. Corrupt: NUL bytes, or a line that is neither blank, a comment,
// a "[Section]" nor a "Key=Value" line (a settings file holds nothing else), or too large.
enum class ProfileProblem { None, Missing, Unreadable, Corrupt };

class ProfileFile {
public:
    // A missing or unreadable file is an empty profile: every read gives its default. So is
    // anything but a plain file (a folder, a FIFO, a device) and a file over kMaxProfileBytes.
    // `problem`, when given, tells these cases apart; a corrupt file is still read as far as
    // it goes, and the caller decides whether to trust it.
    static ProfileFile Load(const std::filesystem::path& path, ProfileProblem* problem = nullptr);
    static ProfileFile FromBytes(std::string_view bytes);

    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The leading (optionally signed) decimal number of the value; the default when the key
    // is missing or its value does not start with a number.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the key's value in place, or adds the key at the end of its section, or adds
    // the section at the end of the file. The value ends at its first line break; one that
    // GetString would change (blanks at either end, a pair of matching quotes around it) is
    // written inside double quotes, so that it reads back as itself.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    std::string ToBytes() const;  // lines end in CR LF
    bool Save(const std::filesystem::path& path) const;

private:
    std::vector<std::string> lines_;
    // Index of the section header line, or npos.
    size_t FindSection(std::string_view section) const;
    // Index of the key line inside the section starting at `header`, or npos.
    size_t FindKey(size_t header, std::string_view key) const;
    size_t SectionEnd(size_t header) const;
};

}  // namespace zepo
