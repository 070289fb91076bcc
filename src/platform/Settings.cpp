#include "platform/Settings.h"

#include "core/TextCodec.h"

namespace zepo {
namespace {

struct ToolDefault {
    const char* section;
    const char* name;  // UTF-8
    const char* exe;
    const char* option;
};

constexpr ToolDefault kDefaults[kToolCount] = {
    {"MemoTool", "メモ帳", "notepad.exe", ""},
    {"PaintTool", "ペイント", "mspaint.exe", ""},
    {"SoundTool", "サウンドレコーダ", "sndrec32.exe", ""},
    {"MovieTool", "ムービーメーカー", "moviemk.exe", ""},
    {"ExeTool1", "", "", ""},
    {"ExeTool2", "", "", ""},
    {"ExeTool3", "", "", ""},
    {"FilerTool", "エクスプローラ", "explorer.exe", ""},
    {"MPlayTool", "メディアプレーヤー", "wmplayer.exe", ""},
    {"QViewTool", "画像ビュワー", "\\zepo\\tool\\qv\\qv.exe", "/WD=$D"},
    {"Help1", "", "", ""},
    {"Help2", "", "", ""},
    {"Help3", "", "", ""},
};

constexpr const char* kSection = "ZEPOED";

}  // namespace

const char* ToolSection(Tool tool) { return kDefaults[static_cast<int>(tool)].section; }

bool HasOption(Tool tool) { return tool < Tool::Help1; }

ShellSettings ReadSettings(const ProfileFile& profile) {
    ShellSettings s;
    for (int i = 0; i < kToolCount; ++i) {
        const ToolDefault& d = kDefaults[i];
        ToolEntry& e = s.tools[i];
        e.name = profile.GetString(d.section, "ToolName", Sjis(d.name));
        e.exe = profile.GetString(d.section, "ExeName", d.exe);
        if (HasOption(static_cast<Tool>(i))) e.option = profile.GetString(d.section, "Option", d.option);
    }
    s.useTools = profile.GetInt(kSection, "isToolUse", 0) != 0;
    s.auto256Color = profile.GetInt(kSection, "Auto256Color", 1) != 0;
    return s;
}

void WriteSettings(ProfileFile& profile, const ShellSettings& settings) {
    for (int i = 0; i < kToolCount; ++i) {
        const ToolEntry& e = settings.tools[i];
        profile.SetString(kDefaults[i].section, "ToolName", e.name);
        profile.SetString(kDefaults[i].section, "ExeName", e.exe);
        if (HasOption(static_cast<Tool>(i))) profile.SetString(kDefaults[i].section, "Option", e.option);
    }
    profile.SetString(kSection, "isToolUse", settings.useTools ? "1" : "0");
}

}  // namespace zepo
