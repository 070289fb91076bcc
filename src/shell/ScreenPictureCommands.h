#pragma once
// The picture commands of the other menu: the composed card as one BMP, as a JPEG capture
// named after the card, and the merge that replaces every object by that one picture.

#include <QImage>
#include <QObject>
#include <filesystem>
#include <optional>
#include <string>

#include "imaging/Bitmap.h"

namespace zepo {

class CardRenderer;
class ViewCommands;
struct CommandContext;

class ScreenPictureCommands : public QObject {
    Q_OBJECT
public:
    // The pictures are composed by the canvas's `renderer`; `view` switches the preview on.
    ScreenPictureCommands(const CommandContext& context, CardRenderer& renderer, ViewCommands& view)
        : context_(context), renderer_(renderer), view_(view) {}

    void SaveScreenPicture();
    void SaveCapture();
    void MergeIntoPicture();

private:
    // The preview on, the save folder present; the composed card, or nothing after the
    // folder's report.
    std::optional<Bitmap> Prepare();
    // The card as the player shows it, the whole canvas of (screen width + 1) × height.
    QImage ComposedCard();
    // Writes the picture as 画面n.bmp; its Shift-JIS name, or nothing after the message.
    std::optional<std::string> WriteScreenPicture(const Bitmap& picture);
    // The message for a picture that could not be written: the file and the reason.
    void ReportWriteFailure(const std::filesystem::path& file, const std::string& reason);
    // The card replaced by one picture file of the save folder.
    void ReplaceObjectsByPicture(const std::string& sjisName, const Bitmap& picture);

    const CommandContext& context_;
    CardRenderer& renderer_;
    ViewCommands& view_;
};

}  // namespace zepo
