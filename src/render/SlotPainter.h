#pragma once
// How the canvas draws one object. Each kind's own drawing (frame styles, decorations,
// pictures reduced to 256 colours …) replaces the plain one given here through this seam.

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <filesystem>
#include <map>

#include "model/Card.h"

namespace zepo {

// Edit: the card as the editor shows it while objects are placed (a glass button is marked);
// Preview: as the player shows it.
enum class RenderMode { Edit, Preview };

struct PaintContext {
    std::filesystem::path saveFolder;  // where bare file names of the card are found
    RenderMode mode = RenderMode::Edit;
};

class SlotPainter {
public:
    virtual ~SlotPainter() = default;
    // Draws the slot at its bounds (card coordinates = canvas coordinates).
    virtual void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) = 0;
};

// Pictures as last read from their files. The canvas is drawn again after every move and
// every dialog; decoding a large JPEG each time would make each of those wait. A file is read
// again when its size or modification time changes.
class PictureCache {
public:
    // The picture of a plain file; null when it is not one or does not decode.
    const QImage* Get(const std::filesystem::path& path);
    int reads() const { return reads_; }

private:
    struct Entry {
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        QImage image;
    };
    static constexpr size_t kMaxEntries = 5;  // the pictures one card can hold
    std::map<std::filesystem::path, Entry> entries_;
    int reads_ = 0;
};

// The plain drawing of each kind: a frame's edit view, texts in their font and colours,
// a text block's lines, a picture from its file.
class PlainSlotPainter : public SlotPainter {
public:
    void Paint(QPainter& painter, const Card& card, int id, const PaintContext& context) override;
    const PictureCache& pictures() const { return pictures_; }

private:
    PictureCache pictures_;
};

}  // namespace zepo
