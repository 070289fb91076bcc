#include "shell/DropCommands.h"

#include <system_error>

#include "core/TextCodec.h"
#include "dialogs/Prompts.h"
#include "editors/PictureImport.h"
#include "editors/PictureIntake.h"
#include "model/Codes.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

constexpr int kDropStep = 16;  // several pictures dropped at once are laid out like cards dealt

std::string Quoted(const fs::path& path) { return Utf8ToSjis(path.filename().string()).bytes; }

// A new picture object of the picture `name` in the lowest free picture slot, its top-left
// corner at `at`; false when every picture slot is taken.
bool PlacePicture(Card& card, const std::string& name, const SharedPicture& pixels, QPoint at) {
    const int id = card.FreeSlot(SlotKind::Picture);
    if (id < 0) return false;
    Slot& s = card.slot(id);
    ResetRecord(s, SlotKind::Picture);
    s.stretch = false;
    s.picture.fileName = name;
    s.picture.pixels = pixels;
    s.picture.fileMissing = false;
    s.picture.scale = 1.0f;
    s.picture.naturalWidth = pixels->width;
    s.picture.naturalHeight = pixels->height;
    s.bounds = {std::max(0, at.x()), std::max(0, at.y()), pixels->width, pixels->height};
    s.inUse = true;
    card.BringToFront(id);
    UpdateParentChecks(card);
    return true;
}

}  // namespace

void DropCommands::DropFiles(const QStringList& paths, QPoint at) {
    MessageSink& messages = context_.services.prompts;
    const fs::path folder = context_.document.saveFolder();
    const IntakeChoices choices{ColorRgb(context_.document.card().settings.color), context_.services.screen,
                                context_.settings.auto256Color};
    Card next = context_.document.card();
    bool placed = false;
    for (const QString& dropped : paths) {
        const fs::path source = dropped.toStdString();
        std::error_code ec;
        if (fs::is_directory(source, ec) || !IsReadablePicture(source)) {
            std::string text = Sjis("%s は取り込めません（画像ではありません）");
            messages.Warn(text.replace(text.find("%s"), 2, Quoted(source)));
            continue;
        }
        if (next.FreeSlot(SlotKind::Picture) < 0) {
            messages.Warn(Sjis("画像は 5 つまでしか置けません。ほかの画像を消してから取り込んでください"));
            break;
        }
        const std::optional<std::string> name = TakePictureIn(source, folder, choices, messages);
        if (!name) continue;
        const PictureImport read = ImportPicture(folder, *name, false, messages);
        if (!read.pixels) continue;
        PlacePicture(next, read.fileName, read.pixels, at);
        at += QPoint(kDropStep, kDropStep);
        placed = true;
    }
    if (placed) context_.document.Apply(std::move(next));
}

}  // namespace zepo
