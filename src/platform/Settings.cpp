#include "platform/Settings.h"

#include "core/TextCodec.h"
#include "platform/UserFolders.h"

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

std::filesystem::path ReadSaveFolder(const ProfileFile& profile) {
    return std::filesystem::path(profile.GetString(kSection, "SaveFolder", ""));
}

bool WriteSaveFolder(ProfileFile& profile, const std::filesystem::path& folder) {
    const std::string text = folder.string();
    if (text.find_first_of("\r\n") != std::string::npos) return false;
    profile.SetString(kSection, "SaveFolder", text);
    return true;
}

namespace {

std::string ProblemText(const std::filesystem::path& file, ProfileProblem problem) {
    return file.string() + "\n" +
           (problem == ProfileProblem::Corrupt ? "設定ファイルの形になっていません" : "読めません");
}

}  // namespace

StartSettings LoadStartSettings(const std::filesystem::path& userFile, const std::filesystem::path& programFile) {
    StartSettings start;
    ProfileProblem problem = ProfileProblem::Missing;
    ProfileFile profile;
    if (!userFile.empty()) profile = ProfileFile::Load(userFile, &problem);
    if (problem == ProfileProblem::Missing) {
        ProfileProblem programProblem;
        profile = ProfileFile::Load(programFile, &programProblem);
        // The program's file is only ever read: a broken one simply gives the defaults.
        if (programProblem != ProfileProblem::None) profile = ProfileFile{};
    } else if (problem != ProfileProblem::None) {
        start.problem = ProblemText(userFile, problem);
        profile = ProfileFile{};
    }
    start.settings = ReadSettings(profile);
    start.saveFolder = ReadSaveFolder(profile);
    return start;
}

Status ChangeUserSettings(const std::filesystem::path& userFile, const std::filesystem::path& programFile,
                          const std::function<void(ProfileFile&)>& change) {
    if (userFile.empty()) return Fail("設定ファイルの場所がありません");
    ProfileProblem problem;
    ProfileFile profile = ProfileFile::Load(userFile, &problem);
    if (problem == ProfileProblem::Missing) {
        ProfileProblem programProblem;
        profile = ProfileFile::Load(programFile, &programProblem);
        if (programProblem != ProfileProblem::None) profile = ProfileFile{};
    } else if (problem != ProfileProblem::None) {
        return Fail(ProblemText(userFile, problem));
    }
    change(profile);
    Result<PrivateFolder> folder = PrivateFolder::Open(userFile.parent_path());
    if (!folder) return folder.error();
    return folder.value().Write(userFile.filename().string(), profile.ToBytes());
}

}  // namespace zepo
