// zepoed: the card editor.

#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Version.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/FileChooser.h"
#include "dialogs/Prompts.h"
#include "dialogs/Translations.h"
#include "platform/InstanceChannel.h"
#include "platform/Launcher.h"
#include "platform/Scheduler.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolders.h"
#include "render/Fonts.h"
#include "shell/CardFileCommands.h"
#include "shell/EditorWindows.h"
#include "shell/MainWindow.h"
#include "shell/Switches.h"

namespace {

// While the application object is made: the platform's messages are held back, and its fatal
// one (no display to connect to, no usable platform) is said in Japanese with exit code 2
// instead of the platform's English and an abort.
std::vector<std::pair<QtMsgType, std::string>>* heldMessages = nullptr;
QtMessageHandler platformHandler = nullptr;

void WhileStarting(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(
            "ＺＥＰＯエディタ: ディスプレイに接続できないため、起動できません。\n"
            "デスクトップの中から起動するか、DISPLAY（または WAYLAND_DISPLAY）を設定してください。\n",
            stderr);
        std::_Exit(2);
    }
    if (heldMessages) heldMessages->push_back({type, message.toStdString()});
}

// The messages held back, given to the platform's handler now that the editor started.
void StartedWith(std::vector<std::pair<QtMsgType, std::string>>& held) {
    qInstallMessageHandler(platformHandler);
    heldMessages = nullptr;
    for (const auto& [type, text] : held) qt_message_output(type, QMessageLogContext(), QString::fromStdString(text));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> commandLine;
    for (int i = 1; i < argc; ++i) commandLine.emplace_back(argv[i]);
    // Help, the version and a mistyped option are answered before anything needs a display.
    auto read = zepo::ReadStartCommandLine(commandLine, zepo::kZepoVersion);
    if (const auto* reply = std::get_if<zepo::StartReply>(&read)) return zepo::AnswerStart(*reply);
    const std::vector<std::string> arguments = std::get<std::vector<std::string>>(std::move(read));
    // A second editor hands its card (a double-click in the file manager) to the running one
    // and ends before any window exists.
    zepo::SingleInstance instance(zepo::InstanceLockPath());
    const QString channelPath = zepo::InstanceChannelPath(zepo::InstanceLockPath());
    if (!instance.Acquire()) {
        QCoreApplication core(argc, argv);
        const std::filesystem::path card = zepo::ParseSwitches(arguments).card;
        if (zepo::HandOverToRunningEditor(channelPath, QString::fromStdString(card.string()), 3000)) return 0;
        std::fputs("ＺＥＰＯエディタは起動していますが、応答がありません。\n", stderr);
        return 1;
    }

    std::vector<std::pair<QtMsgType, std::string>> held;
    heldMessages = &held;
    platformHandler = qInstallMessageHandler(WhileStarting);
    QApplication app(argc, argv);
    StartedWith(held);
    // The task bar text. Not the display name: the platform would append that to every caption.
    QApplication::setApplicationName("ZEPOエディタ");
    // The desktop file's name: the window manager then groups the editor under its own icon.
    QGuiApplication::setDesktopFileName("zepoed");
    zepo::InstallJapaneseTranslations();
    zepo::RegisterFontSubstitutes();

    zepo::QtPrompts prompts;
    zepo::ModalDialogRunner runner;
    zepo::QtFileChooser chooser;
    zepo::QtScheduler scheduler;
    zepo::DesktopLauncher launcher;
    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->size();
    zepo::ShellServices services{prompts,   runner,
                                 chooser,   launcher,
                                 scheduler, std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()),
                                 arguments, screen};
    services.user = zepo::PlacesOfThisUser();

    zepo::EditorWindows windows(services);
    prompts.SetOwner(&windows.main());
    chooser.SetOwner(&windows.main());
    zepo::InstanceChannel channel;
    QObject::connect(&channel, &zepo::InstanceChannel::cardHandedOver, &windows.main().cardFile(),
                     &zepo::CardFileCommands::OpenHandedOver);
    channel.Listen(channelPath);
    // The editor opens maximised; where no window manager honours that, it still covers the screen.
    if (QScreen* primary = QGuiApplication::primaryScreen()) windows.main().resize(primary->availableGeometry().size());
    windows.main().showMaximized();
    return app.exec();
}
