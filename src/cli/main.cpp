// zepocard: checks and converts cards and pictures without a window.

#include <QGuiApplication>

#include <exception>
#include <iostream>

#include "cli/CardReading.h"
#include "cli/Commands.h"
#include "render/Fonts.h"

namespace {

// Qt's own notices (a missing runtime folder, font cache remarks) are not about the card;
// only its errors reach the terminal, so that zepocard's output stays stable.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

void Usage() {
    std::cerr << "usage:\n"
                 "  zepocard normalize CARD.zep [-o OUT.zep]\n"
                 "  zepocard check [--json] CARD.zep... | DIR\n"
                 "  zepocard reduce IN OUT.bmp [--dither] [--bits N]\n"
                 "  zepocard render CARD.zep... -o OUT [--screen WxH] [--format png|bmp|jpg] [-j N]\n"
                 "  zepocard export DIR -o SITE [--screen WxH]\n";
}

}  // namespace

int main(int argc, char** argv) {
    zepo::cli::UseOffscreenPlatformUnlessSet();
    qInstallMessageHandler(QuietQtMessages);
    if (argc < 2) {
        Usage();
        return 2;
    }
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        zepo::RegisterFontSubstitutes();
        if (command == "normalize") return zepo::cli::RunNormalize(args);
        if (command == "check") return zepo::cli::RunCheck(args);
        if (command == "reduce") return zepo::cli::RunReduce(args);
        if (command == "export") return zepo::cli::RunExport(args);
        if (command == "render") return zepo::cli::RunRender(args);
    } catch (const std::exception& e) {
        std::cerr << "zepocard: " << e.what() << "\n";
        return 2;
    }
    Usage();
    return 2;
}
