#pragma once
// Recording stand-ins for everything the shell shows or waits for.

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/DialogRunner.h"
#include "platform/FileChooser.h"
#include "../support/RecordingLauncher.h"
#include "platform/Prompts.h"
#include "platform/Scheduler.h"
#include "platform/TextCodec.h"

namespace zepo::test {

// Records "beep!" (exclamation), "beep?" (question), "show:<text>" and "ask:<text>" with
// the texts in UTF-8 and CR kept; questions are answered from `answers` (No when empty).
struct RecordingPrompts : Prompts {
    std::vector<std::string> events;
    std::deque<bool> answers;
    void Beep(BeepKind kind) override { events.push_back(kind == BeepKind::Exclamation ? "beep!" : "beep?"); }
    void Show(std::string_view text) override { events.push_back("show:" + SjisToUtf8(text)); }
    bool YesNo(std::string_view text) override {
        events.push_back("ask:" + SjisToUtf8(text));
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Each shown dialog takes the next script, which may fill fields and press buttons; the
// result is whether the dialog ended accepted. Without a script the dialog is cancelled.
struct ScriptedRunner : DialogRunner {
    std::deque<std::function<void(QDialog&)>> scripts;
    std::vector<QString> shown;  // window titles, in order
    std::vector<std::string>* log = nullptr;
    bool Run(QDialog& dialog) override {
        shown.push_back(dialog.windowTitle());
        if (log) log->push_back("dialog:" + dialog.windowTitle().toStdString());
        dialog.setResult(QDialog::Rejected);
        if (scripts.empty()) return false;
        auto script = std::move(scripts.front());
        scripts.pop_front();
        script(dialog);
        return dialog.result() == QDialog::Accepted;
    }
    // A script that presses OK.
    static void Ok(QDialog& d) { d.accept(); }
};

struct ScriptedChooser : FileChooser {
    std::deque<QString> answers;  // empty string = cancel
    std::vector<OpenFileRequest> requests;
    std::vector<std::string>* log = nullptr;
    QString ChooseOpenFile(const OpenFileRequest& request) override {
        requests.push_back(request);
        if (log) log->push_back("open:" + request.title.toStdString());
        if (answers.empty()) return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct ManualScheduler : Scheduler {
    std::vector<int> delays;
    std::vector<std::function<void()>> pending;
    void After(int ms, std::function<void()> work) override {
        delays.push_back(ms);
        pending.push_back(std::move(work));
    }
    void FireAll() {
        auto work = pending;
        for (auto& w : work) w();
    }
};

}  // namespace zepo::test
