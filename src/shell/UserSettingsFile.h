#pragma once
// The user's ZEPOED.INI as the editor uses it through a run: read once at start (the one
// beside the program as starting values while the user has none), written when the tool
// settings are confirmed with /a and whenever the save folder changes. A file that could not
// be used at start is left alone for the whole run; each kind of trouble is said once.

#include <filesystem>
#include <functional>
#include <string>

#include "platform/Settings.h"

namespace zepo {

class Prompts;
class ProfileFile;

class UserSettingsFile {
public:
    UserSettingsFile(Prompts& prompts, std::filesystem::path userFile, std::filesystem::path programFile);

    StartSettings Load();
    // Says why the user's file is not used, once, if it is not (the start-up sequence calls
    // this: no message box comes before the window).
    void TellStartProblem();
    void SaveTools(const ShellSettings& settings);
    void RememberSaveFolder(const std::filesystem::path& folder);
    const std::filesystem::path& path() const { return userFile_; }

private:
    void Change(const std::function<void(ProfileFile&)>& change);

    Prompts& prompts_;
    std::filesystem::path userFile_;
    std::filesystem::path programFile_;
    std::string startProblem_;
    bool leaveAlone_ = false;  // the file was there and unusable at start
    bool toldWriteFailure_ = false;
    std::filesystem::path remembered_;
};

}  // namespace zepo
