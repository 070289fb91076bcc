#pragma once
// ZEPOED.INI beside the program: the tool table, the use tools flag and the automatic
// 256-colour switch. Read once at start; written only from the tool settings dialog.

#include <array>
#include <filesystem>
#include <string>

#include "platform/ProfileFile.h"

namespace zepo {

enum class Tool {
    Memo, Paint, Sound, Movie, Exe1, Exe2, Exe3, Filer, MediaPlayer, Viewer, Help1, Help2, Help3
};
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

}  // namespace zepo
