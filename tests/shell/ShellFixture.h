#pragma once
// A whole editor (the fifteen windows) over recording fakes, in a folder of its own.

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>

#include "ShellFakes.h"
#include "shell/EditorWindows.h"
#include "shell/ShellServices.h"
#include "shell/Zepoform.h"

namespace zepo::test {

QApplication& App();

// A fresh temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);

class ShellTest : public ::testing::Test {
protected:
    // Builds the editor; tests may first write ZEPOED.INI into program() or set args.
    void Start(std::vector<std::string> arguments = {});
    void TearDown() override;

    TFormZEPO& form() { return windows->main(); }
    const std::filesystem::path& program() const { return programFolder.path(); }
    // The events recorded since the last call.
    std::vector<std::string> TakeEvents();

    TempFolder programFolder;
    std::vector<std::string> log;  // dialogs, file dialogs and prompts, in order
    RecordingPrompts prompts;
    ScriptedRunner runner;
    ScriptedChooser chooser;
    RecordingLauncher launcher;
    ManualScheduler scheduler;
    std::unique_ptr<ShellServices> services;
    std::unique_ptr<EditorWindows> windows;
    std::filesystem::path startFolder;
};

}  // namespace zepo::test
