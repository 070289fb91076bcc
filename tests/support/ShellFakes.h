#pragma once
// Recording stand-ins for everything the editor shows, starts or waits for.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <deque>
#include <functional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "Printers.h"
#include "core/TextCodec.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/FileChooser.h"
#include "dialogs/Prompts.h"
#include "platform/Launcher.h"
#include "platform/Scheduler.h"

namespace zepo::test {

// Records "beep!" (exclamation), "beep?" (question), "show:<text>", "ask:<text>" and
// "choose:<text>" with the texts in UTF-8 and CR kept; questions are answered from `answers`
// (No when empty), three-way ones from `choices` (Cancel when empty).
struct RecordingPrompts : Prompts {
    std::vector<std::string> events;
    std::deque<bool> answers;
    std::deque<Choice> choices;
    Choice Choose(std::string_view text, const ChoiceButtons&) override {
        events.push_back("choose:" + MessageToUtf8(text));
        if (choices.empty()) return Choice::Cancel;
        Choice c = choices.front();
        choices.pop_front();
        return c;
    }
    void Beep(BeepKind kind) override { events.push_back(kind == BeepKind::Exclamation ? "beep!" : "beep?"); }
    void Show(std::string_view text) override { events.push_back("show:" + MessageToUtf8(text)); }
    bool YesNo(std::string_view text) override {
        events.push_back("ask:" + MessageToUtf8(text));
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
    // Queues a script; one that returns a bool answers OK (true) or Cancel (false) itself.
    template <typename Script>
    void Push(Script script) {
        if constexpr (std::is_same_v<std::invoke_result_t<Script, QDialog&>, bool>) {
            scripts.push_back([script](QDialog& d) {
                if (script(d)) d.accept();
                else d.reject();
            });
        } else {
            scripts.push_back(std::move(script));
        }
    }
    int shownCount() const { return int(shown.size()); }
    // A script that presses OK.
    static void Ok(QDialog& d) { d.accept(); }
};

// Answers the open-file dialog from `answers` (an empty string cancels; Cancel when none).
struct ScriptedChooser : FileChooser {
    std::deque<QString> answers;
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

// Records what the editor would have started instead of starting it. Programs named in
// `missing`, and an empty name, fail to start; documents fail when named in `missing`.
struct RecordingLauncher : Launcher {
    std::vector<std::string> started;  // "program|<arg1><arg2>|folder", "open|path" or "url|address"
    std::set<QString> missing;
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& folder) override {
        QString args;
        for (const QString& a : arguments) args += '<' + a + '>';
        started.push_back((program + "|" + args + "|" + folder).toStdString());
        return !program.isEmpty() && !missing.count(program);
    }
    bool OpenDocument(const QString& path) override {
        started.push_back(("open|" + path).toStdString());
        return !missing.count(path);
    }
    // "url|<the address>"; an address in `missing` finds no browser.
    bool OpenUrl(const QUrl& url) override {
        started.push_back(("url|" + url.toString()).toStdString());
        return !missing.count(url.toString());
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

// The control of a window by its object name, as a script finds it. A missing control fails
// the test and ends it with an exception, since there is nothing to go on with.
template <typename T>
T& Child(QObject& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        ADD_FAILURE() << "no " << T::staticMetaObject.className() << " named " << name << " in "
                      << window.objectName().toStdString();
        throw std::logic_error(std::string("missing control ") + name);
    }
    return *found;
}

// The one application object of a test program, with the editor's font substitutes.
QApplication& App();

}  // namespace zepo::test
