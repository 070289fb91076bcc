#include "editors/PictureEditor.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/Moji.h"
#include "core/TextCodec.h"
#include "editors/PictureImport.h"
#include "model/Card.h"
#include "model/Environment.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo {

float PictureScale(long double percent) {
    long double scale = std::trunc(percent / 100 * 1000 + 0.5L) / 1000;
    return static_cast<float>(std::clamp(scale, 0.1L, 100.0L));
}

std::filesystem::path PictureEditor::SaveFolder() const {
    return sources_.saveFolder ? sources_.saveFolder() : std::filesystem::path();
}

void PictureEditor::StartNew(Slot& s) {
    dialog_.Reset();
    s.stretch = false;
    s.bounds = {10, 10, 0, 0};
}

void PictureEditor::Show(const Slot& s, bool isNew) {
    PictureValues shown;
    shown.x = s.bounds.left;
    shown.y = s.bounds.top;
    shown.file = CutBytes(s.picture.fileName, kShortTextBytes);
    shown.percent = static_cast<long double>(s.picture.scale) * 100;
    shown.frame = s.picture.frame;
    shown.association = s.picture.association;
    shown.toFront = isNew;
    dialog_.Load(shown, SaveFolder());
}

Applied PictureEditor::WriteInto(Slot& s, PictureValues v, bool isNew) {
    if (v.file.empty()) {
        messages_.Warn(Sjis("静止画ファイルが指定されていません"));
        return Applied::Refused;
    }

    const PictureImport picture =
        ImportPicture(SaveFolder(), v.file, sources_.reduceTo256 && sources_.reduceTo256(), messages_);
    written_ = picture.wrote ? picture : PictureImport{};
    if (picture.declined) return Applied::Refused;  // the user kept the BMP there: nothing changes
    if (picture.failed) {
        std::string text = Sjis("%s が読み込めません");
        text.replace(text.find("%s"), 2, picture.fileName);
        messages_.Warn(text);
    }
    if (!picture.pixels && isNew) return Applied::Refused;  // nothing to place
    PictureRecord& r = s.picture;
    if (picture.pixels) {
        r.fileName = picture.fileName;
        r.pixels = picture.pixels;
        r.fileMissing = false;
        r.naturalWidth = picture.pixels->width;
        r.naturalHeight = picture.pixels->height;
    }
    r.association = v.association;
    if (v.percent == 100) {
        s.stretch = false;
        r.scale = 1.0f;
        s.bounds.width = r.naturalWidth;
        s.bounds.height = r.naturalHeight;
    } else {
        s.stretch = true;
        r.scale = PictureScale(v.percent);
        // Rounded to nearest, ties to even, as the reader sizes a scaled picture.
        s.bounds.width = static_cast<int>(std::nearbyint(static_cast<long double>(r.naturalWidth) * r.scale));
        s.bounds.height = static_cast<int>(std::nearbyint(static_cast<long double>(r.naturalHeight) * r.scale));
    }
    s.bounds.left = v.x;
    s.bounds.top = v.y;
    r.frame = v.frame;
    return Applied::Done;
}

namespace {

// A picture's size from its natural size and scale, as the reader makes it.
void SizeFromScale(Slot& s) {
    const PictureRecord& r = s.picture;
    if (!s.stretch) {
        s.bounds.width = r.naturalWidth;
        s.bounds.height = r.naturalHeight;
        return;
    }
    s.bounds.width = static_cast<int>(std::nearbyint(static_cast<long double>(r.naturalWidth) * r.scale));
    s.bounds.height = static_cast<int>(std::nearbyint(static_cast<long double>(r.naturalHeight) * r.scale));
}

}  // namespace

void PictureEditor::Follow(Card& card, int id) {
    const PictureImport written = std::exchange(written_, PictureImport{});
    if (!written.wrote || !written.pixels) return;
    const std::filesystem::path folder = SaveFolder();
    const std::filesystem::path file = ResolveInFolder(folder, written.fileName);
    if (file.empty()) return;
    for (int n = 1; n <= SlotsOfKind(SlotKind::Picture); ++n) {
        const int other = SlotId(SlotKind::Picture, n);
        Slot& s = card.slot(other);
        if (other == id || !s.inUse || ResolveInFolder(folder, s.picture.fileName) != file) continue;
        s.picture.pixels = written.pixels;
        s.picture.fileMissing = false;
        s.picture.naturalWidth = written.pixels->width;
        s.picture.naturalHeight = written.pixels->height;
        SizeFromScale(s);
    }
}

}  // namespace zepo
