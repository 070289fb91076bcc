// zepocard map: the links of a folder of cards drawn as one picture (SVG, PNG) or written as
// a graph for Graphviz (DOT).

#include <QBuffer>
#include <QImage>

#include <iostream>

#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/StandardOutput.h"
#include "cli/TerminalProgress.h"
#include "core/AtomicFile.h"
#include "publish/CardMap.h"
#include "publish/CardSet.h"
#include "publish/MapDrawing.h"
#include "publish/MapLayout.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace fs = std::filesystem;
namespace {

std::string Quoted(const fs::path& file) { return "「" + Printable(ShownName(file.string())) + "」"; }

int Refuse(const std::string& why) {
    std::cerr << "zepocard map: " << why << "\n";
    return 2;
}

// The format the name says (map.png is a PNG) or --format names; a name of another format
// would be a lie about the bytes.
std::optional<MapFormat> FormatOf(const MapOptions& o, std::string& why) {
    const std::string ext = o.out.extension().string();
    const std::optional<MapFormat> named = ext.empty() ? std::nullopt : MapFormatNamed(ext.substr(1));
    if (named && o.format && *named != *o.format) why = Quoted(o.out) + "の拡張子は --format の形式と合いません";
    else if (!named && !o.format)
        why = Quoted(o.out) +
              "の拡張子からは形式がわかりません。拡張子を .svg .png .dot のどれかにするか、"
              "--format を付けてください";
    else return named ? named : o.format;
    return std::nullopt;
}

std::optional<std::string> Encode(const CardMap& map, const MapLayout& layout, MapFormat format) {
    if (format == MapFormat::Svg) return MapSvgFile(map, layout);
    if (format == MapFormat::Dot) return MapDot(map);
    const QImage image = MapImage(map, layout);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) return std::nullopt;
    return bytes.toStdString();
}

}  // namespace

int RunMap(const MapOptions& o) {
    std::string why;
    const std::optional<MapFormat> format = FormatOf(o, why);
    if (!format) return Refuse(why);
    std::error_code ec;
    if (!fs::is_directory(o.folder, ec)) return Refuse(Quoted(o.folder) + "はカードのフォルダではありません");
    std::string error;
    auto cards = CollectCards({o.folder}, error);
    if (!cards) return Refuse(Printable(error));
    {
        TerminalProgress progress;
        ReadCards(*cards, [&](size_t done, size_t total) { progress.Show("カードを読んでいます", done, total); });
    }
    // Neither a card nor anything the cards name is ever replaced by the map.
    std::vector<fs::path> inputs;
    for (const SetCard& card : *cards) {
        inputs.push_back(card.file);
        for (size_t i = 0; i < card.lookups.size() && i < card.links.size(); ++i)
            if (fs::path named = NamedFile(card.folder(), card.links[i].target, card.lookups[i]); !named.empty())
                inputs.push_back(std::move(named));
    }
    if (std::string refused = RefusedOutput(o.out, inputs); !refused.empty()) return Refuse(Printable(refused));

    size_t unchecked = 0;
    const CardMap map = BuildCardMap(*cards, SetFindings(*cards, unchecked));
    auto layout = LayOutMap(map);
    if (!layout) return Refuse(Printable(layout.error().message));
    const auto bytes = Encode(map, layout.value(), *format);
    if (!bytes) return Refuse("図を PNG の形にできません");
    if (Status written = WriteFileAtomically(o.out, *bytes); !written)
        return Refuse(Quoted(o.out) + "に書き込めません: " + Printable(written.error().message));

    size_t cardCount = 0, missing = 0, unreadable = 0, unreachable = 0, problems = 0;
    for (const MapNode& node : map.nodes) {
        cardCount += node.card.has_value();
        missing += node.state == MapNodeState::Missing;
        unreadable += node.state == MapNodeState::Unreadable;
        unreachable += node.unreachable;
        problems += node.HasErrors();
    }
    std::cerr << "zepocard map: カード " << cardCount << " 枚、リンク " << map.links << " 本を" << Quoted(o.out)
              << "に描きました";
    if (missing || unreadable || unreachable)
        std::cerr << " (ないカード " << missing << " 枚、読めないカード " << unreadable << " 枚、たどれないカード "
                  << unreachable << " 枚)";
    std::cerr << "\n";
    for (const SetCard& card : *cards)
        if (!card.read) std::cerr << "zepocard: " << Printable(card.error) << "\n";
    return FinishStandardOutput(problems ? 1 : 0);
}

}  // namespace zepo::cli
