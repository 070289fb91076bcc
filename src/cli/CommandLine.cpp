#include "cli/CommandLine.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iostream>
#include <optional>

#include "cli/Commands.h"
#include "core/Ascii.h"
#include "core/Version.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace {

// The parser works on QString; a file name is bytes, and one in Shift-JIS is no UTF-8 text.
// Latin-1 maps every byte to one character and back, so names pass through unchanged while
// the options, all ASCII, are recognised as usual.
QString Latin1(const std::string& bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }
std::string Bytes(const QString& latin1) { return latin1.toLatin1().toStdString(); }

std::string Quoted(const std::string& bytes) { return "「" + Printable(bytes) + "」"; }

struct OptionInfo {
    std::vector<std::string> names;  // the one-letter name first
    const char* valueName;           // nullptr: a switch
    const char* help;
};

const OptionInfo kHelpOption{{"h", "help"}, nullptr, "この説明を示します"};

// The options as read, values as bytes.
struct Parsed {
    const QCommandLineParser& parser;
    std::vector<std::string> positional;
    bool Has(const char* name) const { return parser.isSet(QString::fromLatin1(name)); }
    std::string Value(const char* name) const { return Bytes(parser.value(QString::fromLatin1(name))); }
};

using Build = std::optional<CommandOptions> (*)(const Parsed&, std::string& error);

struct CommandInfo {
    const char* name;
    const char* synopsis;  // after "zepocard NAME"
    const char* summary;   // its line in the list of commands
    const char* details;   // more lines for its own help
    std::vector<OptionInfo> options;
    Build build;
};

bool ScreenOption(const Parsed& p, QSize& screen, std::string& error) {
    if (!p.Has("screen")) return true;
    const std::string typed = p.Value("screen");
    if (auto size = ScreenNamed(typed)) {
        screen = *size;
        return true;
    }
    error = "--screen は 幅x高さ (例 1024x768、各辺 1〜" + std::to_string(kMaxScreenSide) +
            ") で指定してください: " + Quoted(typed);
    return false;
}

std::optional<CommandOptions> BuildNormalize(const Parsed& p, std::string& error) {
    if (p.positional.size() != 1) {
        error = p.positional.empty() ? "カードのファイルを指定してください" : "カードは 1 つだけ指定してください";
        return std::nullopt;
    }
    return NormalizeOptions{p.positional[0], p.Value("output")};
}

std::optional<CommandOptions> BuildCheck(const Parsed& p, std::string& error) {
    if (p.positional.empty()) {
        error = "点検するカードかフォルダを指定してください";
        return std::nullopt;
    }
    return CheckOptions{p.positional, p.Has("json")};
}

std::optional<CommandOptions> BuildReduce(const Parsed& p, std::string& error) {
    if (p.positional.size() != 2) {
        error = "入力の画像と書き出す BMP ファイルを指定してください";
        return std::nullopt;
    }
    ReduceOptions o{p.positional[0], p.positional[1], p.Has("dither"), 8};
    if (p.Has("bits")) {
        auto bits = NumberBetween(p.Value("bits"), 0, 8);
        if (!bits) {
            error = "--bits は 0 から 8 の数で指定してください: " + Quoted(p.Value("bits"));
            return std::nullopt;
        }
        o.bits = *bits;
    }
    return o;
}

std::optional<CommandOptions> BuildRender(const Parsed& p, std::string& error) {
    RenderOptions o;
    for (const std::string& card : p.positional) o.cards.emplace_back(card);
    if (o.cards.empty() || !p.Has("output")) {
        error = o.cards.empty() ? "描くカードを指定してください" : "書き出す先を -o で指定してください";
        return std::nullopt;
    }
    o.out = p.Value("output");
    if (!ScreenOption(p, o.screen, error)) return std::nullopt;
    const std::string format = p.Has("format") ? AsciiLower(p.Value("format")) : std::string();
    o.handout = format == "pdf" || (format.empty() && AsciiLower(o.out.extension().string()) == ".pdf");
    if (p.Has("per-page")) {
        auto perPage = NumberBetween(p.Value("per-page"), 1, 6);
        if (!o.handout || !perPage || *perPage == 3 || *perPage == 5) {
            error = o.handout ? "--per-page は 1, 2, 4, 6 のどれかです: " + Quoted(p.Value("per-page"))
                              : "--per-page は PDF (--format pdf) にだけ使えます";
            return std::nullopt;
        }
        o.perPage = *perPage;
    }
    if (p.Has("format") && !o.handout) {
        o.format = PictureFormatNamed(p.Value("format"));
        if (!o.format) {
            error = "--format は png, bmp, jpg, pdf のどれかです: " + Quoted(p.Value("format"));
            return std::nullopt;
        }
    }
    if (p.Has("jobs")) {
        auto jobs = NumberBetween(p.Value("jobs"), 1, 256);
        if (!jobs) {
            error = "-j は 1 から 256 の数で指定してください: " + Quoted(p.Value("jobs"));
            return std::nullopt;
        }
        o.jobs = *jobs;
    }
    return o;
}

std::optional<CommandOptions> BuildExport(const Parsed& p, std::string& error) {
    if (p.positional.size() != 1 || !p.Has("output")) {
        error = p.positional.size() != 1 ? "カードのフォルダを 1 つ指定してください"
                                         : "書き出すフォルダを -o で指定してください";
        return std::nullopt;
    }
    ExportOptions o{p.positional[0], p.Value("output"), kDefaultScreen};
    if (!ScreenOption(p, o.screen, error)) return std::nullopt;
    return o;
}

std::optional<CommandOptions> BuildMap(const Parsed& p, std::string& error) {
    if (p.positional.size() != 1 || !p.Has("output")) {
        error = p.positional.size() != 1 ? "カードのフォルダを 1 つ指定してください"
                                         : "書き出すファイルを -o で指定してください";
        return std::nullopt;
    }
    MapOptions o{p.positional[0], p.Value("output"), std::nullopt};
    if (p.Has("format")) {
        o.format = MapFormatNamed(p.Value("format"));
        if (!o.format) {
            error = "--format は svg, png, dot のどれかです: " + Quoted(p.Value("format"));
            return std::nullopt;
        }
    }
    return o;
}

const OptionInfo kScreenOption{{"screen"}, "WxH", "画面の大きさ (既定 1024x768、各辺 1〜8192)"};

const std::vector<CommandInfo>& Commands() {
    static const std::vector<CommandInfo> commands = {
        {"normalize",
         "CARD.zep [-o OUT.zep]",
         "カードを「読込」のように読み、「保存」のように書きます",
         "-o がなければ標準出力に書きます: 端末には UTF-8 で、\n"
         "パイプやファイルには Shift-JIS のままで。\n"
         "読んだときにメッセージが出たカードは書きません (終了コード 1):\n"
         "書けば、メッセージの指すものを失うからです。\n",
         {{{"o", "output"}, "OUT.zep", "書き出すカードのファイル"}},
         BuildNormalize},
        {"check",
         "[--json] CARD.zep... | DIR",
         "カードとそのリンクを点検し、指摘を 1 行ずつ示します",
         "エディタと同じように読み、メッセージ、長すぎる行、\n"
         "知らない命令、行き先のないリンクを示します。\n"
         "フォルダを指定すると、その *.zep をすべて点検し、\n"
         "main.zep からたどれないカードも\n"
         "示します (警告)。1 件が 1 行 (ファイル:行: 種類: 内容) で\n"
         "標準出力に、まとめは標準エラーに出ます。\n",
         {{{"json"}, nullptr, "指摘を JSON の配列で示します"}},
         BuildCheck},
        {"reduce",
         "IN OUT.bmp [--dither] [--bits N]",
         "BMP か JPEG の画像を 8 ビットの BMP に減色します",
         "画像を置くときのエディタと同じメディアンカットで、\n"
         "256 色までの BMP にします。\n",
         {{{"dither"}, nullptr, "誤差を拡散します (カードを 1 枚の画像にするときと同じ)"},
          {{"bits"}, "N", "色の数を 2 の N 乗までにします (0〜8、既定 8)"}},
         BuildReduce},
        {"render",
         "CARD.zep... -o OUT [--screen WxH] [--format png|bmp|jpg|pdf] [--per-page 1|2|4|6] [-j N]",
         "カードを「確認」の表示と同じように描き、画像にします",
         "カード 1 つなら -o のファイルに、2 つ以上か -o がフォルダなら\n"
         "その中に カード名.png などを書きます。読んだときのメッセージは\n"
         "標準エラーに示し、終了コードは 1 になります。\n"
         "pdf なら、すべてのカードを 1 つの PDF (配布資料) にし、\n"
         "各カードの下にカード名とタイトルを書きます。\n",
         {{{"o", "output"}, "OUT", "書き出すファイルかフォルダ"},
          kScreenOption,
          {{"format"}, "FORMAT", "png, bmp, jpg, pdf のどれか (既定: -o の拡張子、なければ png)"},
          {{"per-page"}, "N", "PDF の 1 ページに並べるカードの数 (1, 2, 4, 6、既定 1)"},
          {{"j", "jobs"}, "N", "同時に描くカードの数 (1〜256、既定: CPU のコアの数)"}},
         BuildRender},
        {"export",
         "DIR -o SITE [--screen WxH]",
         "カードのフォルダを Web ページの一式として書き出します",
         "ファイルとして開いても Webサーバーに置いても見られるページです:\n"
         "index.html がカードの一覧、cards/ に各カードのページ、\n"
         "media/ にカードが使う音や動画を置きます。\n",
         {{{"o", "output"}, "SITE", "書き出すフォルダ"}, kScreenOption},
         BuildExport},
        {"map",
         "DIR -o MAP.svg [--format svg|png|dot]",
         "カードのフォルダのリンク図を描きます",
         "カードを箱、リンクを矢印で描きます: 部品の関連付けは黒、\n"
         "ボタンは青、スライド機能は緑の破線です。ないカードは赤、\n"
         "main.zep からたどれないカードはオレンジの破線で囲み、\n"
         "check の指摘があるカードには赤い「!」を付けます。\n"
         "dot 形式は Graphviz の dot などで描けるグラフです。\n"
         "ないカードや読めないカードがあれば、\n"
         "図を書いたうえで終了コードは 1 です。\n",
         {{{"o", "output"}, "MAP", "書き出すファイル (カードや入力には書きません)"},
          {{"format"}, "FORMAT", "svg, png, dot のどれか (既定: -o の拡張子)"}},
         BuildMap},
    };
    return commands;
}

const CommandInfo* CommandNamed(const std::string& name) {
    for (const CommandInfo& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

std::string OptionLines(const std::vector<OptionInfo>& options) {
    std::string text;
    for (const OptionInfo& o : options) {
        std::string left = "  ";
        left += o.names.front().size() == 1 ? "-" + o.names.front() : "    --" + o.names.front();
        for (size_t i = 1; i < o.names.size(); ++i) left += ", --" + o.names[i];
        if (o.valueName) left += std::string(o.names.back().size() == 1 ? " " : "=") + o.valueName;
        left.resize(std::max<size_t>(left.size() + 2, 26), ' ');
        text += left + o.help + "\n";
    }
    return text;
}

std::string UsageLine(const CommandInfo& c) {
    return std::string("使い方: zepocard ") + c.name + " " + c.synopsis + "\n";
}

std::string CommandHelp(const CommandInfo& c) {
    std::vector<OptionInfo> options = c.options;
    options.push_back(kHelpOption);
    return UsageLine(c) + "\n" + c.summary + "。\n" + c.details + "\nオプション:\n" + OptionLines(options);
}

std::string GeneralHelp() {
    std::string text =
        "使い方: zepocard COMMAND [OPTION]... ARGUMENT...\n"
        "\nZEPO のカード (.zep) と画像を、ウィンドウを開かずに点検し、変換します。\n"
        "\nコマンド:\n";
    auto line = [&](std::string name, const char* summary) {
        name.insert(0, "  ");
        name.resize(13, ' ');
        text += name + summary + "\n";
    };
    for (const CommandInfo& c : Commands()) line(c.name, c.summary);
    line("help", "この説明を示します (help COMMAND: そのコマンドの説明)");
    text += "\nオプション:\n" +
            OptionLines({kHelpOption,
                         {{"help-all"}, nullptr, "すべてのコマンドの説明を示します"},
                         {{"version"}, nullptr, "バージョンを示します"}}) +
            "\n終了コード:\n"
            "  0  問題はありません\n"
            "  1  カードか画像に問題があります\n"
            "  2  使い方の誤り、読めない入力、または書き込めない出力です\n"
            "\nコマンドのオプションは「zepocard COMMAND --help」で示します。\n";
    return text;
}

// "help" is no command of the table, but it may be asked about like one.
std::string HelpHelp() {
    return "使い方: zepocard help [COMMAND]\n"
           "\nzepocard の説明を示します。COMMAND を付けると、そのコマンドの説明とオプションを示します"
           " (「zepocard COMMAND --help」と同じです)。\n";
}

Reply UsageError(const CommandInfo* c, const std::string& problem) {
    const std::string command = c ? std::string(" ") + c->name : "";
    std::string text = "zepocard" + command + ": " + problem + "\n";
    text += c ? UsageLine(*c) : "使い方: zepocard COMMAND [OPTION]... ARGUMENT...\n";
    text += "詳しくは「zepocard" + command + " --help」を見てください。\n";
    return {text, 2};
}

// Why the parser refused the line, named by the option as typed. The parser's own texts are
// English; the cases it refuses are few and told apart here.
std::string ParseProblem(const QCommandLineParser& parser, const std::vector<OptionInfo>& options,
                         const std::vector<std::string>& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const std::string name = Bytes(unknown.first());
        return Quoted((name.size() == 1 ? "-" : "--") + name) + "というオプションはありません";
    }
    for (size_t i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
        const std::string& a = arguments[i];
        const size_t equals = a.find('=');
        const std::string typed = a.substr(0, equals);
        for (const OptionInfo& o : options)
            for (const std::string& name : o.names) {
                if (typed != (name.size() == 1 ? "-" : "--") + name) continue;
                if (equals != std::string::npos && !o.valueName) return Quoted(typed) + "は値をとりません";
                if (equals == std::string::npos && o.valueName && i + 1 == arguments.size())
                    return Quoted(typed) + "には値が要ります";
            }
    }
    return "コマンドラインを読めません: " + Printable(Bytes(parser.errorText()));
}

std::variant<Reply, CommandOptions> ReadCommand(const CommandInfo& command, const std::vector<std::string>& arguments) {
    std::vector<OptionInfo> options = command.options;
    options.push_back(kHelpOption);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    for (const OptionInfo& o : options) {
        QStringList names;
        for (const std::string& name : o.names) names << QString::fromStdString(name);
        QCommandLineOption option(names);
        if (o.valueName) option.setValueName(QString::fromLatin1(o.valueName));
        parser.addOption(option);
    }
    QStringList line{QStringLiteral("zepocard")};
    for (const std::string& a : arguments) line << Latin1(a);
    if (!parser.parse(line)) return UsageError(&command, ParseProblem(parser, options, arguments));
    if (parser.isSet(QStringLiteral("help"))) return Reply{CommandHelp(command), 0};

    Parsed parsed{parser, {}};
    for (const QString& a : parser.positionalArguments()) parsed.positional.push_back(Bytes(a));
    // An empty name would mean "here" to some commands and nothing to others.
    if (std::count(parsed.positional.begin(), parsed.positional.end(), std::string()))
        return UsageError(&command, "空の名前は使えません");
    for (const OptionInfo& o : options) {
        if (!o.valueName) continue;
        for (const QString& value : parser.values(QString::fromStdString(o.names.back())))
            if (value.isEmpty()) return UsageError(&command, Quoted("--" + o.names.back()) + "の値が空です");
    }
    std::string error;
    auto result = command.build(parsed, error);
    if (!result) return UsageError(&command, error);
    return *result;
}

template <class... Run>
struct Overloaded : Run... {
    using Run::operator()...;
};
template <class... Run>
Overloaded(Run...) -> Overloaded<Run...>;

}  // namespace

std::variant<Reply, CommandOptions> ReadCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Reply{GeneralHelp(), 2};
    const std::string& first = arguments.front();
    if (first == "-h" || first == "--help") return Reply{GeneralHelp(), 0};
    if (first == "--version") return Reply{std::string("zepocard ") + kZepoVersion + "\n", 0};
    if (first == "--help-all") {
        std::string text = GeneralHelp();
        // Each command's help indented under its heading: the manual page made from this text
        // gives each command its own part.
        for (const CommandInfo& c : Commands()) {
            text += std::string("\n") + c.name + " コマンド:\n";
            const std::string help = CommandHelp(c);
            for (size_t at = 0, end; at < help.size(); at = end + 1) {
                end = help.find('\n', at);
                if (end > at) text += "  " + help.substr(at, end - at);
                text += "\n";
            }
        }
        return Reply{text, 0};
    }
    if (first == "help") {
        if (arguments.size() == 1) return Reply{GeneralHelp(), 0};
        if (arguments.size() == 2 && arguments[1] == "help") return Reply{HelpHelp(), 0};
        const CommandInfo* c = CommandNamed(arguments[1]);
        if (!c || arguments.size() > 2)
            return UsageError(nullptr, c ? "help にはコマンドを 1 つだけ指定してください"
                                         : Quoted(arguments[1]) + "というコマンドはありません");
        return Reply{CommandHelp(*c), 0};
    }
    if (first.size() > 1 && first[0] == '-') return UsageError(nullptr, Quoted(first) + "というオプションはありません");
    const CommandInfo* command = CommandNamed(first);
    if (!command) return UsageError(nullptr, Quoted(first) + "というコマンドはありません");
    return ReadCommand(*command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
}

int Answer(const Reply& reply) {
    std::ostream& out = reply.exitCode == 0 ? std::cout : std::cerr;
    out << reply.text << std::flush;
    return reply.exitCode == 0 && !out ? 2 : reply.exitCode;
}

int RunCommand(const CommandOptions& options) {
    return std::visit(
        Overloaded{[](const NormalizeOptions& o) { return RunNormalize(o); },
                   [](const CheckOptions& o) { return RunCheck(o); },
                   [](const ReduceOptions& o) { return RunReduce(o); },
                   [](const RenderOptions& o) { return RunRender(o); },
                   [](const ExportOptions& o) { return RunExport(o); }, [](const MapOptions& o) { return RunMap(o); }},
        options);
}

}  // namespace zepo::cli
