#pragma once
// A whole editor (the fifteen windows) over recording fakes, in a folder of its own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPoint>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "WindowControls.h"
#include "shell/CardFileCommands.h"
#include "shell/EditorWindows.h"
#include "shell/MainWindow.h"
#include "shell/PasteCommands.h"
#include "shell/ShellServices.h"
#include "shell/ToolCommands.h"
#include "shell/ViewCommands.h"

namespace zepo::test {

// The main window's caption as the user reads it, without the platform's place for the mark
// of unsaved changes.
inline QString Caption(const QWidget& window) { return window.windowTitle().remove(QStringLiteral("[*]")); }

class ShellTest : public ::testing::Test {
protected:
    // Builds the editor; tests may first write ZEPOED.INI into program() or set args.
    void Start(std::vector<std::string> arguments = {});
    void TearDown() override;

    MainWindow& form() { return windows->main(); }
    // The main window's controls, found by their names.
    WindowControls& ui() {
        if (!controls) controls = std::make_unique<WindowControls>(form());
        return *controls;
    }
    // Changes the card as an edit would: one step of the history, one changed().
    template <typename Change>
    void Modify(Change change) {
        Card card = form().card();
        change(card);
        form().document().Apply(std::move(card));
    }
    const std::filesystem::path& program() const { return programFolder.path(); }
    // The events recorded since the last call.
    std::vector<std::string> TakeEvents();

    TempFolder programFolder;
    // The user's folders: settings and recovery copies under userFolder; the home folder is
    // program() unless a test sets `home`.
    TempFolder userFolder;
    std::filesystem::path home;
    std::filesystem::path userSettingsFile() const { return userFolder.path() / "config" / "zepoed" / "ZEPOED.INI"; }
    std::filesystem::path recoveryFolder() const { return userFolder.path() / "state" / "zepoed" / "recovery"; }
    std::vector<std::string> log;  // dialogs, file dialogs and prompts, in order
    RecordingPrompts prompts;
    Prompts* boxes = nullptr;  // when set, Start shows real message boxes instead
    ScriptedRunner runner;
    ScriptedChooser chooser;
    RecordingLauncher launcher;
    ManualScheduler scheduler;
    std::unique_ptr<ShellServices> services;
    std::unique_ptr<EditorWindows> windows;
    std::unique_ptr<WindowControls> controls;
    std::filesystem::path startFolder;
    // What Start hands to the editor as the screen and its help files.
    QSize screen{800, 600};
    QString helpFile, helpCollection;
};

// The editor shown, for the tests that work on the card with the mouse.
class CanvasShellTest : public ShellTest {
protected:
    void SetUp() override {
        Start();
        form().show();
        canvas = ui().canvas;
    }
    const Slot& Frame(int n) { return form().card().slot(SlotKind::Frame, n); }
    // A left press at `from`, a move to `to` and the release there.
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    }

    CardCanvas* canvas = nullptr;
};

}  // namespace zepo::test
