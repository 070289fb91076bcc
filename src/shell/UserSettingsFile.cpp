#include "shell/UserSettingsFile.h"

#include "core/TextCodec.h"
#include "dialogs/Prompts.h"
#include "platform/ProfileFile.h"

namespace zepo {
namespace {

std::string Shown(const std::string& utf8) { return Utf8ToSjis(utf8).bytes; }

}  // namespace

UserSettingsFile::UserSettingsFile(Prompts& prompts, std::filesystem::path userFile, std::filesystem::path programFile)
    : prompts_(prompts), userFile_(std::move(userFile)), programFile_(std::move(programFile)) {}

StartSettings UserSettingsFile::Load() {
    StartSettings start = LoadStartSettings(userFile_, programFile_);
    startProblem_ = start.problem;
    leaveAlone_ = !start.problem.empty();
    remembered_ = start.saveFolder;
    return start;
}

void UserSettingsFile::TellStartProblem() {
    if (startProblem_.empty()) return;
    prompts_.Warn(Sjis("設定ファイルが使えないため、初期設定で起動します。このファイルは書き換えません。") + "\r" +
                  Shown(startProblem_));
    startProblem_.clear();
}

void UserSettingsFile::SaveTools(const ShellSettings& settings) {
    Change([&settings](ProfileFile& profile) { WriteSettings(profile, settings); });
}

void UserSettingsFile::RememberSaveFolder(const std::filesystem::path& folder) {
    if (folder.empty() || folder == remembered_) return;
    remembered_ = folder;
    Change([&folder](ProfileFile& profile) { WriteSaveFolder(profile, folder); });
}

void UserSettingsFile::Change(const std::function<void(ProfileFile&)>& change) {
    if (userFile_.empty() || leaveAlone_) return;
    Status written = ChangeUserSettings(userFile_, programFile_, change);
    if (written || toldWriteFailure_) return;
    // Said once: the settings stay in force until the editor ends.
    toldWriteFailure_ = true;
    prompts_.Warn(Sjis("設定ファイルに書き込めませんでした") + "\r" + Shown(userFile_.string()) + "\r" +
                  Shown(written.error().message));
}

}  // namespace zepo
