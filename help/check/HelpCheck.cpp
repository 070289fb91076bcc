// zepo-help-check: opens the help as the editor in PROGRAM_FOLDER opens it (the help file
// found from the program's folder, the collection in a scratch folder instead of the user's
// cache) and shows the start page and a dialog's topic. Prints the help file it found; exits 1
// when the help cannot be registered or a topic has no page, so an install whose help lies
// where the editor does not look fails here rather than at a user's F1.
//
//   zepo-help-check PROGRAM_FOLDER

#include <QApplication>
#include <QHelpEngine>
#include <QTemporaryDir>

#include <cstdio>

#include "dialogs/HelpWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("使い方: zepo-help-check PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    QTemporaryDir scratch;
    zepo::HelpWindow help(zepo::FindHelpFile(QString::fromLocal8Bit(argv[1])), scratch.filePath("zepoed-help.qhc"));
    std::printf("%s\n", qPrintable(help.helpFile()));
    if (!help.ready()) {
        std::fputs("ヘルプファイルを登録できません\n", stderr);
        return 1;
    }
    // The contents' start page and the card settings dialog's help button.
    for (const char* topic : {"main", "HID00000023"}) {
        if (!help.ShowTopic(QString::fromLatin1(topic)) || help.engine().fileData(help.currentPage()).isEmpty()) {
            std::fprintf(stderr, "ヘルプの項目 %s のページがありません\n", topic);
            return 1;
        }
    }
    return 0;
}
