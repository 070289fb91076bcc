// zepocard render: the card as the editor's preview shows it, written as a picture.

#include <QBuffer>
#include <QImage>

#include <unistd.h>

#include <atomic>
#include <iostream>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/StandardOutput.h"
#include "core/AtomicFile.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "publish/CardPicture.h"
#include "publish/CardReading.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace {

using Format = PictureFormat;

const char* Extension(Format f) { return f == Format::Png ? ".png" : f == Format::Bmp ? ".bmp" : ".jpg"; }
const char* FormatName(Format f) { return f == Format::Png ? "PNG" : f == Format::Bmp ? "BMP" : "JPEG"; }
std::string Quoted(const std::filesystem::path& file) { return "「" + ShownName(file.string()) + "」"; }

// The composed image in the chosen format: BMP and JPEG by our own encoders, PNG by Qt.
std::optional<std::vector<uint8_t>> Encode(const QImage& image, Format format) {
    if (format == Format::Png) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return std::nullopt;
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    // Every pixel is written below: no need to clear the picture first.
    Bitmap bitmap(image.width(), image.height(), PixelFormat::Bgr24, UnsetPixels{});
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint8_t* out = bitmap.Row(y);
        for (int x = 0; x < image.width(); ++x, out += 3) {
            out[0] = uint8_t(qBlue(in[x]));
            out[1] = uint8_t(qGreen(in[x]));
            out[2] = uint8_t(qRed(in[x]));
        }
    }
    auto encoded = format == Format::Bmp ? EncodeBmp(bitmap) : EncodeJpeg(bitmap, kCaptureJpegQuality);
    if (!encoded) return std::nullopt;
    return std::move(encoded.value());
}

// One picture is written in the format its name says (OUT.bmp is a BMP) or --format names;
// a name of any other format would be a lie about the bytes, so it is refused. Empty when
// fine; `format` is then the one to write.
std::string SinglePictureFormat(const RenderOptions& o, Format& format) {
    const std::string ext = o.out.extension().string();
    if (ext.empty()) return {};
    const std::optional<Format> named = PictureFormatNamed(ext.substr(1));
    if (named && o.format && *named != *o.format) return Quoted(o.out) + "の拡張子は --format の形式と合いません";
    if (!named && !o.format)
        return Quoted(o.out) +
               "の拡張子の形式では書けません。拡張子を .png .bmp .jpg のどれかにするか、"
               "--format を付けてください";
    if (named) format = *named;
    return {};
}

// Every picture goes to a place of its own that is neither a card nor an input: two cards
// of one name (a/main.zep, b/main.zep) would write one picture, which one depending on the
// threads, so they are refused; the same card named twice is written once.
std::string RefusedTargets(const std::vector<std::filesystem::path>& cards,
                           const std::vector<std::filesystem::path>& targets, std::vector<bool>& repeated) {
    // Not the cards, nor a picture, text file or medium any of them names.
    const std::vector<std::filesystem::path> inputs = CardsAndTheirFiles(cards);
    for (const auto& target : targets)
        if (std::string why = RefusedOutput(target, inputs); !why.empty()) return why;
    if (auto clash = SharedOutput(cards, targets, repeated))
        return Quoted(cards[clash->first]) + "と" + Quoted(cards[clash->second]) + "の画像はどちらも" +
               Quoted(targets[clash->first]) + "になります。同じ名前のカードは別々に書き出してください";
    return {};
}

struct CardResult {
    int code = 0;
    std::string report;  // lines for standard error
};

CardResult RenderOne(const std::filesystem::path& card, const std::filesystem::path& target, const RenderOptions& o,
                     Format format) {
    CardResult r;
    std::string error;
    // Sizes only: each picture is fetched again while it is drawn, so a card of many large
    // pictures holds one at a time.
    auto read = ReadCardFile(card, error, /*pixels=*/false);
    if (!read) return {2, "zepocard: " + Printable(error) + "\n"};
    const std::string shown = Printable(ShownName(card.string()));
    for (const std::string& line : ReaderProblems(ShownName(card.string()), *read)) {
        r.report += line + "\n";
        r.code = 1;
    }
    std::error_code ec;
    const QImage image =
        ComposeCardFetchingPictures(read->card, o.screen, std::filesystem::absolute(card, ec).parent_path());
    if (image.isNull()) throw std::bad_alloc();  // Qt found no memory for the picture
    auto bytes = Encode(image, format);
    if (!bytes)
        return {2, r.report + "zepocard: 「" + shown + "」の画像を " + FormatName(format) + " の形にできません\n"};
    Status written = WriteFileAtomically(target, std::span<const uint8_t>(*bytes));
    if (!written)
        return {2, r.report + "zepocard: " + Printable(Quoted(target)) +
                       "に書き込めません: " + Printable(written.error().message) + "\n"};
    return r;
}

}  // namespace

int RunRender(const RenderOptions& o) {
    if (o.handout) return RunHandout(o);
    std::error_code ec;
    const bool intoFolder = o.cards.size() > 1 || std::filesystem::is_directory(o.out, ec);
    Format format = o.format.value_or(Format::Png);
    if (!intoFolder) {
        if (std::string problem = SinglePictureFormat(o, format); !problem.empty()) {
            std::cerr << "zepocard render: " << Printable(problem) << "\n";
            return 2;
        }
    }
    std::vector<std::filesystem::path> targets;
    for (const auto& card : o.cards)
        targets.push_back(intoFolder ? o.out / card.stem().concat(Extension(format)) : o.out);
    std::vector<bool> repeated;
    if (std::string problem = RefusedTargets(o.cards, targets, repeated); !problem.empty()) {
        std::cerr << "zepocard render: " << Printable(problem) << "\n";
        return 2;
    }
    if (intoFolder && !std::filesystem::is_directory(o.out, ec)) {
        std::filesystem::create_directories(o.out, ec);
        if (ec) {
            std::cerr << "zepocard: フォルダ" << Printable(Quoted(o.out)) << "を作れません: " << Printable(ec.message())
                      << "\n";
            return 2;
        }
    }

    const int cores = std::max(1u, std::thread::hardware_concurrency());
    const int jobs = std::min<int>(o.jobs > 0 ? o.jobs : cores, int(o.cards.size()));
    const bool progress = isatty(STDERR_FILENO) && o.cards.size() > 1;
    std::vector<CardResult> results(o.cards.size());
    std::atomic<size_t> next{0};
    std::mutex output;
    size_t done = 0;
    auto work = [&] {
        for (size_t i = next++; i < o.cards.size(); i = next++) {
            try {
                if (!repeated[i]) results[i] = RenderOne(o.cards[i], targets[i], o, format);
            } catch (const std::bad_alloc&) {
                results[i] = {2, "zepocard: " + Printable(Quoted(o.cards[i])) + ": メモリが足りないため、描けません\n"};
            }
            std::lock_guard lock(output);
            ++done;
            if (progress) std::cerr << "\r\033[K";
            std::cerr << results[i].report;
            if (progress)
                std::cerr << "zepocard render: " << o.cards.size() << " 枚のうち " << done << " 枚を描きました"
                          << std::flush;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < jobs; ++t) threads.emplace_back(work);
    work();
    for (auto& t : threads) t.join();
    if (progress) std::cerr << "\r\033[K" << std::flush;
    int code = 0;
    for (const auto& r : results) code = std::max(code, r.code);
    return FinishStandardOutput(code);
}

}  // namespace zepo::cli
