#include "shell/Switches.h"
#include "core/Ascii.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <system_error>

namespace zepo {

Switches ParseSwitches(const std::vector<std::string>& arguments) {
    Switches s;
    for (const std::string& original : arguments) {
        const std::string arg = AsciiLower(original);
        if (arg == "/c") {
            s.currentFolderAsSaveFolder = true;
        } else if (arg == "/a") {
            s.writeSettings = true;
        } else if (s.card.empty() && arg.size() > 4 && arg.compare(arg.size() - 4, 4, ".zep") == 0) {
            // Taken as given (case and all), relative to where the editor was started.
            std::error_code ec;
            s.card = std::filesystem::absolute(original, ec);
            if (ec) s.card.clear();
        }
    }
    return s;
}

namespace {

// Latin-1 maps every byte to one character and back: a card's name keeps its bytes.
QString Latin1(const std::string& bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }
std::string Bytes(const QString& latin1) { return latin1.toLatin1().toStdString(); }

constexpr const char* kUsage = "使い方: zepoed [/c] [/a] [カード.zep]\n";

std::string Help() {
    return std::string(kUsage) +
           "\nZEPO のカードエディタです。ウィンドウを開くので、ディスプレイが要ります。\n"
           "\n引数:\n"
           "  /c                  今いるフォルダを保存フォルダにします\n"
           "  /a                  ツールの設定を設定ファイルに書き込めるようにします\n"
           "  カード.zep          そのカードを読み込みます (そのフォルダが保存フォルダになります)\n"
           "\nオプション:\n"
           "  -h, --help          この説明を示します\n"
           "      --version       バージョンを示します\n"
           "\nファイル:\n"
           "  $XDG_CONFIG_HOME/zepoed/ZEPOED.INI   設定 (ふつうは ~/.config/zepoed/ZEPOED.INI)\n"
           "  $XDG_STATE_HOME/zepoed/recovery/     保存されていないカードの控え\n"
           "                                       (ふつうは ~/.local/state/zepoed/recovery/)\n";
}

}  // namespace

std::variant<StartReply, std::vector<std::string>> ReadStartCommandLine(const std::vector<std::string>& arguments,
                                                                        const std::string& version) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    QStringList line{QStringLiteral("zepoed")};
    for (const std::string& a : arguments) line << Latin1(a);
    if (!parser.parse(line)) {
        const QStringList unknown = parser.unknownOptionNames();
        std::string problem = "コマンドラインを読めません";
        if (!unknown.isEmpty()) {
            const std::string name = Bytes(unknown.first());
            problem = "「" + std::string(name.size() == 1 ? "-" : "--") + name + "」というオプションはありません";
        } else {
            for (const std::string& a : arguments)
                if (a.rfind("--help=", 0) == 0 || a.rfind("--version=", 0) == 0)
                    problem = "「" + a.substr(0, a.find('=')) + "」は値をとりません";
        }
        return StartReply{"zepoed: " + problem + "\n" + kUsage + "詳しくは「zepoed --help」を見てください。\n", 2};
    }
    if (parser.isSet("help")) return StartReply{Help(), 0};
    if (parser.isSet("version")) return StartReply{"zepoed " + version + "\n", 0};
    std::vector<std::string> rest;
    for (const QString& a : parser.positionalArguments()) rest.push_back(Bytes(a));
    return rest;
}

int AnswerStart(const StartReply& reply) {
    std::FILE* out = reply.exitCode == 0 ? stdout : stderr;
    const bool written = std::fwrite(reply.text.data(), 1, reply.text.size(), out) == reply.text.size();
    const bool flushed = std::fflush(out) == 0;
    return reply.exitCode == 0 && !(written && flushed) ? 2 : reply.exitCode;
}

}  // namespace zepo
