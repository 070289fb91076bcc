#pragma once
// ZEPOED.INI: the tool table, the use tools flag, the automatic 256-colour switch and the save
// folder used last. The user's own file lives in the configuration folder; one beside the
// program (a portable build) gives the starting values until the user has a file.

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "core/Result.h"
#include "platform/ProfileFile.h"

namespace zepo {

enum class Tool { Memo, Paint, Sound, Movie, Exe1, Exe2, Exe3, Filer, MediaPlayer, Viewer, Help1, Help2, Help3 };
constexpr int kToolCount = 13;

struct ToolEntry {
    std::string name;    // the menu caption (Shift-JIS)
    std::string exe;     // program, or the document of a help entry
    std::string option;  // arguments with "$D" and "$F"; help entries have none
};

struct ShellSettings {
    std::array<ToolEntry, kToolCount> tools;
    bool useTools = false;
    bool auto256Color = true;
};

// The section name of a tool entry ("MemoTool" … "Help3").
const char* ToolSection(Tool tool);
bool HasOption(Tool tool);

inline constexpr const char* kSettingsFileName = "ZEPOED.INI";

// Every value with its default where the profile lacks it.
ShellSettings ReadSettings(const ProfileFile& profile);
// The tool entries in table order, then isToolUse. Auto256Color is never written: the
// switch the user toggles is not carried over to the next start.
void WriteSettings(ProfileFile& profile, const ShellSettings& settings);

// The save folder used last (section ZEPOED, key SaveFolder), as the file system names it.
std::filesystem::path ReadSaveFolder(const ProfileFile& profile);
// False for a folder the file cannot hold (a line break in its name): nothing is written then.
bool WriteSaveFolder(ProfileFile& profile, const std::filesystem::path& folder);

struct StartSettings {
    ShellSettings settings;
    std::filesystem::path saveFolder;  // the save folder used last; empty: none remembered
    // Set when the user's file is there but cannot be used (unreadable, not a settings file):
    // the defaults apply and the file must be left alone. UTF-8, naming the file.
    std::string problem;
};
// The user's file; while the user has none, the one beside the program as starting values.
StartSettings LoadStartSettings(const std::filesystem::path& userFile, const std::filesystem::path& programFile);

// Reads the user's file again (the program's file when the user has none yet), lets `change`
// set its keys and writes it whole, owner-only, making its folder when missing. A file that is
// there but cannot be read as settings is never overwritten. The error is UTF-8.
Status ChangeUserSettings(const std::filesystem::path& userFile, const std::filesystem::path& programFile,
                          const std::function<void(ProfileFile&)>& change);

}  // namespace zepo
