// zepocard render --format pdf: a handout, every card drawn as render draws it, 1 to 6 on a
// page with the card's name and title under each. Cards are drawn one at a time and each page
// goes to the file as it is finished, so a set of any size costs the memory of one card.

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <unistd.h>

#include <iostream>
#include <new>

#include "cli/Commands.h"
#include "cli/OutputChecks.h"
#include "cli/StandardOutput.h"
#include "core/AtomicFile.h"
#include "core/TextCodec.h"
#include "publish/CardReading.h"
#include "publish/TerminalText.h"
#include "render/CardRenderer.h"

namespace zepo::cli {
using namespace zepo::publish;
namespace {

constexpr int kDotsPerInch = 300;
constexpr std::uintmax_t kMaxHandoutBytes = std::uintmax_t(16) << 30;

struct Grid {
    int columns, rows;
    QPageLayout::Orientation orientation;
};

// Pictures as large as the page allows: side by side on a landscape page, above each other
// on a portrait one.
Grid GridFor(int perPage) {
    switch (perPage) {
        case 2: return {1, 2, QPageLayout::Portrait};
        case 4: return {2, 2, QPageLayout::Landscape};
        case 6: return {2, 3, QPageLayout::Portrait};
        default: return {1, 1, QPageLayout::Landscape};
    }
}

std::string Quoted(const std::filesystem::path& file) { return "「" + ShownName(file.string()) + "」"; }

// The picture fitted into `cell` above its caption, "NAME　TITLE".
void DrawCell(QPainter& painter, const QRectF& cell, const QImage& picture, const QString& caption) {
    const double gap = cell.height() * 0.03, captionHeight = std::max(cell.height() * 0.08, 40.0);
    const QRectF room = cell.adjusted(gap, gap, -gap, -gap - captionHeight);
    const double scale = std::min(room.width() / picture.width(), room.height() / picture.height());
    const QSizeF size(picture.width() * scale, picture.height() * scale);
    const QRectF place(room.left() + (room.width() - size.width()) / 2, room.top(), size.width(), size.height());
    painter.drawImage(place, picture);
    painter.setPen(Qt::black);
    painter.drawRect(place);
    QFont font = painter.font();
    font.setPixelSize(int(captionHeight * 0.45));
    painter.setFont(font);
    painter.drawText(QRectF(cell.left() + gap, place.bottom() + gap / 2, cell.width() - 2 * gap, captionHeight),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
}

struct Outcome {
    int code = 0;
    std::string report;
};

// Draws every card into the open file; stops at the first card that cannot be read.
Outcome WritePages(QFile& file, const RenderOptions& o) {
    const Grid grid = GridFor(o.perPage);
    QPdfWriter writer(&file);
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(grid.orientation);
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer.setCreator("zepocard");
    QPainter painter(&writer);
    const QRect page = painter.viewport();
    const double cellWidth = double(page.width()) / grid.columns, cellHeight = double(page.height()) / grid.rows;
    Outcome out;
    // A handout of many cards takes a while: the terminal hears how far it got, as with pictures.
    const bool progress = isatty(STDERR_FILENO) && o.cards.size() > 1;
    for (size_t i = 0; i < o.cards.size(); ++i) {
        if (progress)
            std::cerr << "\r\033[Kzepocard render: " << o.cards.size() << " 枚のうち " << i << " 枚を描きました"
                      << std::flush;
        std::string error;
        auto read = ReadCardFile(o.cards[i], error);
        if (!read) return {2, out.report + "zepocard: " + Printable(error) + "\n"};
        for (const std::string& line : ReaderProblems(ShownName(o.cards[i].string()), *read)) {
            out.report += line + "\n";
            out.code = 1;
        }
        const QImage image = ComposeCard(read->card, o.screen);
        if (image.isNull()) throw std::bad_alloc();
        const int at = int(i % size_t(o.perPage));
        if (i > 0 && at == 0) writer.newPage();
        const std::string title = SjisToUtf8(read->card.settings.title);
        const std::string name = ShownName(o.cards[i].stem().string());
        DrawCell(painter,
                 QRectF(page.left() + (at % grid.columns) * cellWidth, page.top() + (at / grid.columns) * cellHeight,
                        cellWidth, cellHeight),
                 image, QString::fromStdString(title.empty() ? name : name + "　" + title));
    }
    if (progress) std::cerr << "\r\033[K" << std::flush;
    if (!painter.end()) return {2, out.report + "zepocard: PDF を書き終えられません\n"};
    return out;
}

}  // namespace

int RunHandout(const RenderOptions& o) {
    if (std::string why = RefusedOutput(o.out, CardsAndTheirFiles(o.cards)); !why.empty()) {
        std::cerr << "zepocard render: " << Printable(why) << "\n";
        return 2;
    }
    // Written beside the output under a name no one can foresee, then put in its place whole.
    std::filesystem::path scratch;
    const int fd = CreateFileBeside(o.out, 0600, scratch);
    if (fd < 0) {
        std::cerr << "zepocard: " << Printable(Quoted(o.out))
                  << "に書き込めません: " << Printable(std::generic_category().message(-fd)) << "\n";
        return 2;
    }
    Outcome outcome;
    {
        QFile file;
        file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
        try {
            outcome = WritePages(file, o);
        } catch (const std::bad_alloc&) {
            outcome = {2, "zepocard: " + Printable(Quoted(o.out)) + ": メモリが足りないため、描けません\n"};
        }
        if (outcome.code < 2 && (!file.flush() || file.error() != QFileDevice::NoError))
            outcome = {2, "zepocard: " + Printable(Quoted(o.out)) + "に書き込めません\n"};
    }
    std::cerr << outcome.report;
    if (outcome.code < 2) {
        Status copied = CopyFileAtomically(scratch, o.out, kMaxHandoutBytes);
        if (!copied) {
            std::cerr << "zepocard: " << Printable(Quoted(o.out))
                      << "に書き込めません: " << Printable(copied.error().message) << "\n";
            outcome.code = 2;
        }
    }
    std::error_code ec;
    std::filesystem::remove(scratch, ec);
    return FinishStandardOutput(outcome.code);
}

}  // namespace zepo::cli
