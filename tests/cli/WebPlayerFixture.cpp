// Writes a site of two card pages that use the player script and style, with a MIDI piece
// rendered to Ogg Vorbis and a movie converted to WebM, for tests/cli/browse_player.py:
//   web_player_fixture PAGE_TEMPLATE MOVIE OUTPUT_FOLDER
// cards/player.html has areas that play the piece and the movie, one that stops, and the movie
// as movie 2 at (500, 400), frame FB, 150 %; cards/start.html starts both with the card.
// Exits 77 when no SoundFont or ffmpeg is installed.

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>

#include <fstream>
#include <iostream>
#include <sstream>

#include "MidiBytes.h"
#include "core/AtomicFile.h"
#include "media/MidiRendition.h"
#include "publish/MovieTranscode.h"
#include "publish/WebAssets.h"
#include "publish/WebPages.h"
#include "publish/WebPlayer.h"

namespace fs = std::filesystem;
using namespace zepo;
using namespace zepo::publish;

namespace {

bool Put(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    Status written = WriteFileAtomically(file, bytes);
    if (!written) std::cerr << written.error().message << "\n";
    return written.ok();
}

std::string Replaced(std::string text, const std::string& mark, const std::string& with) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), with);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) return 2;
    const fs::path templateFile = argv[1], movie = argv[2], site = argv[3];
    const fs::path soundFont = FindGmSoundFont();
    if (soundFont.empty()) {
        std::cout << "skipped: no General MIDI SoundFont\n";
        return 77;
    }

    // Ten quarters of a piano note at 120 beats a minute, then ten more: ten seconds.
    using test::operator+;
    const test::Bytes piece = test::Header(0, 1, 96) + test::OneNoteTrack(500000, 15, 0);
    const fs::path midi = site / "source" / "piece.mid";
    if (!Put(midi, test::AsString(piece))) return 1;
    auto rendition = RenderMidi(midi, soundFont);
    if (!rendition) {
        std::cerr << rendition.error().message << "\n";
        return 1;
    }
    if (!Put(site / "media" / "piece.mid.ogg", rendition.value().ogg)) return 1;
    auto converted = TranscodeToWebm(movie, site / "media" / WebMovieName(movie.filename()));
    if (!converted) {
        std::cerr << converted.error().message << "\n";
        return 1;
    }

    QImage picture(1024, 768, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    std::ifstream in(templateFile);
    std::stringstream page;
    page << in.rdbuf();

    Movie2Placement movie2;
    movie2.href = "../media/" + PercentEncode(WebMovieName(movie.filename()).string());
    movie2.x = 500;
    movie2.y = 400;
    movie2.frame = 3;
    movie2.scalePercent = Movie2ScalePercent("150.0");
    movie2.width = converted.value().width;
    movie2.height = converted.value().height;
    const std::string player = Replaced(Replaced(page.str(), "<!--movie2-->", Movie2Html(movie2)), "<!--body-->", "");
    const std::string start = Replaced(Replaced(page.str(), "<!--movie2-->", ""), "<!--body-->",
                                       " data-midi=\"../media/piece.mid.ogg\" data-movie=\"" + movie2.href + "\"");
    const bool ok = Put(site / "pictures" / "card.png", png.toStdString()) && Put(site / "zepo.js", SetScript({})) &&
                    Put(site / "zepo.css", WebAsset("zepo.css")) &&
                    Put(site / kPlayerScriptName, WebAsset(kPlayerScriptName)) &&
                    Put(site / kPlayerStyleName, WebAsset(kPlayerStyleName)) &&
                    Put(site / "cards" / "player.html", player) && Put(site / "cards" / "start.html", start);
    return ok ? 0 : 1;
}
