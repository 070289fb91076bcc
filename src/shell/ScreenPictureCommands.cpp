#include "shell/ScreenPictureCommands.h"

#include <QFileInfo>

#include "core/TextCodec.h"
#include "dialogs/Prompts.h"
#include "editors/PictureIntake.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"
#include "platform/Folders.h"
#include "platform/ScreenPictureNames.h"
#include "render/CardRenderer.h"
#include "shell/CommandContext.h"
#include "shell/ViewCommands.h"

namespace zepo {
namespace {

std::string PathText(const std::filesystem::path& path) { return Utf8ToSjis(path.string()).bytes; }

}  // namespace

QImage ScreenPictureCommands::ComposedCard() {
    return renderer_.Compose(context_.document.card(), context_.services.screen);
}

std::optional<Bitmap> ScreenPictureCommands::Prepare() {
    // Pressing "確認" again while the preview is on would only draw the same card again.
    if (!view_.previewOn()) view_.Preview();
    const std::filesystem::path folder = context_.document.saveFolder();
    const QFileInfo info(QString::fromStdString(folder.string()));
    if (!info.isDir() || !info.isExecutable()) {
        context_.services.prompts.Warn(PathText(folder) + "\r" + zepo::Sjis("フォルダに移動できません"));
        return std::nullopt;
    }
    return BitmapOfImage(ComposedCard());
}

void ScreenPictureCommands::ReportWriteFailure(const std::filesystem::path& file, const std::string& reason) {
    context_.services.prompts.Warn(zepo::Sjis("ファイル[") + PathText(file) +
                                   zepo::Sjis("]に書き込めませんでした。\r") + Utf8ToSjis(reason).bytes);
}

std::optional<std::string> ScreenPictureCommands::WriteScreenPicture(const Bitmap& picture) {
    const std::filesystem::path folder = context_.document.saveFolder();
    const std::string name = FirstFreeScreenPictureName(folder);
    const std::filesystem::path file = PathOfSjisName(folder, name);
    if (Status written = SaveBmp(picture, file); !written) {
        ReportWriteFailure(file, written.error().message);
        return std::nullopt;
    }
    return name;
}

void ScreenPictureCommands::SaveScreenPicture() {
    std::optional<Bitmap> picture = Prepare();
    if (!picture) return;
    if (std::optional<std::string> name = WriteScreenPicture(*picture))
        context_.services.prompts.Inform(zepo::Sjis("画面を次のファイル名で保存しました。\r[ ") + *name + " ]");
}

void ScreenPictureCommands::SaveCapture() {
    std::optional<Bitmap> picture = Prepare();
    if (!picture) return;
    const std::string& cardName = context_.document.card().settings.name;
    if (CheckCardFileName(cardName) != CardNameProblem::None) {
        // The name would reach into another folder or is no file name at all.
        context_.services.prompts.Warn(
            zepo::Sjis("カード名にファイル名に使えない文字が含まれているため、保存できません"));
        return;
    }
    const std::string name = CaptureFileName(cardName);
    const std::filesystem::path file = PathOfSjisName(context_.document.saveFolder(), name);
    if (Status written = SaveJpeg(*picture, file); !written) {
        ReportWriteFailure(file, written.error().message);
        return;
    }
    context_.services.prompts.Inform(zepo::Sjis("キャプチャ画面を次のファイル名で保存しました。\r[ ") + name + " ]");
}

void ScreenPictureCommands::MergeIntoPicture() {
    if (!context_.services.prompts.Ask(zepo::Sjis("関連づけの情報はすべて消えます。よろしいですか？"))) return;
    std::optional<Bitmap> picture = Prepare();
    if (!picture) return;
    std::optional<std::string> name = WriteScreenPicture(*picture);
    if (!name) return;
    const std::filesystem::path file = PathOfSjisName(context_.document.saveFolder(), *name);
    if (context_.settings.auto256Color && picture->Format() != PixelFormat::Indexed8) {
        Result<Bitmap> reduced = MedianCutReduceDithered(*picture, 8);
        if (!reduced) {
            context_.services.prompts.Warn(Utf8ToSjis(reduced.error().message).bytes);
            return;
        }
        if (Status written = SaveBmp(reduced.value(), file); !written) {
            ReportWriteFailure(file, written.error().message);
            return;
        }
        picture = std::move(reduced).value();
    }
    ReplaceObjectsByPicture(*name, *picture);
}

void ScreenPictureCommands::ReplaceObjectsByPicture(const std::string& sjisName, const Bitmap& picture) {
    Card card = context_.document.card();
    const CardSettings kept = card.settings;
    ResetCard(card);
    card.settings = kept;
    ForgetRememberedChoices(context_.dialogs);

    // Picture 1 at the top-left corner, at its natural size. The kind's menu keeps the
    // state the reset left it in.
    const int id = SlotId(SlotKind::Picture, 1);
    Slot& slot = card.slot(id);
    ResetRecord(slot, SlotKind::Picture);
    slot.picture.fileName = sjisName;
    slot.picture.naturalWidth = picture.Width();
    slot.picture.naturalHeight = picture.Height();
    slot.bounds = Rect{0, 0, picture.Width(), picture.Height()};
    slot.stretch = false;
    slot.inUse = true;
    // The object carries its picture as any placed picture does, so the canvas shows it
    // whatever the save folder becomes.
    const int bits = picture.Format() == PixelFormat::Indexed8 ? 8 : 24;
    if (Result<SharedPicture> pixels = ToPicturePixels(DecodedPicture{picture, bits}))
        slot.picture.pixels = pixels.value();
    card.BringToFront(id);
    // One confirmed change; the preview is on, so this draws the preview again.
    context_.document.Apply(std::move(card));
}

}  // namespace zepo
