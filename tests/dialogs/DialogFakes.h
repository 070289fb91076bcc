#pragma once
// Scripted stand-ins for the dialogs' outside world.

#include <QApplication>
#include <QDialog>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/Environment.h"
#include "platform/DialogRunner.h"
#include "platform/FileChooser.h"
#include "../support/RecordingLauncher.h"
#include "platform/TextCodec.h"

namespace zepo::test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "dialog_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Each showing of a dialog runs the next step: it may look at and change the dialog's
// controls, and returns true for OK, false for Cancel.
struct ScriptedRunner : DialogRunner {
    std::deque<std::function<bool(QDialog&)>> steps;
    int shown = 0;
    bool Run(QDialog& dialog) override {
        ++shown;
        if (steps.empty()) return false;
        auto step = std::move(steps.front());
        steps.pop_front();
        return step(dialog);
    }
};

struct RecordingMessages : MessageSink {
    std::vector<std::string> warnings;  // UTF-8
    void Warn(std::string_view text) override { warnings.push_back(SjisToUtf8(text)); }
    bool Ask(std::string_view) override { return true; }
};

struct ScriptedChooser : FileChooser {
    QString answer;
    OpenFileRequest last;
    QString ChooseOpenFile(const OpenFileRequest& request) override {
        last = request;
        return answer;
    }
};

// A save folder in the temporary directory, removed afterwards.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        static int n = 0;
        path = std::filesystem::temp_directory_path() / ("zepo_dialogs_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(path, ec);
    }
    void Touch(const std::string& utf8Name) const { std::ofstream(path / utf8Name) << "x"; }
};

}  // namespace zepo::test
