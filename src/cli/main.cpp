// zepocard: checks and converts cards and pictures without a window.

#include <QGuiApplication>

#include <exception>
#include <iostream>
#include <new>
#include <variant>

#include "cli/CommandLine.h"
#include "publish/CardReading.h"
#include "publish/TerminalText.h"
#include "render/Fonts.h"

namespace {

// Qt's own notices (a missing runtime folder, font cache remarks) are not about the card;
// only its errors reach the terminal, so that zepocard's output stays stable. Their text is
// Qt's own, in English and possibly naming a file: marked as Qt's and escaped.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "zepocard: Qt からのメッセージ: " << zepo::publish::Printable(message.toStdString()) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    // Help, the version and usage errors need no application object: they answer at once.
    const auto line = zepo::cli::ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* reply = std::get_if<zepo::cli::Reply>(&line)) return zepo::cli::Answer(*reply);
    zepo::publish::UseOffscreenPlatformUnlessSet();
    qInstallMessageHandler(QuietQtMessages);
    try {
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        zepo::RegisterFontSubstitutes();
        return zepo::cli::RunCommand(std::get<zepo::cli::CommandOptions>(line));
    } catch (const std::bad_alloc&) {
        std::cerr << "zepocard: メモリが足りないため、続けられません\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "zepocard: 思わぬ問題で続けられません: " << zepo::publish::Printable(e.what()) << "\n";
        return 2;
    }
}
