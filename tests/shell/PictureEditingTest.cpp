// Pictures in the running editor: placed and edited through the picture dialog, kept in their
// object, shown in the preview, and the preview identical to what zepocard render writes.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <cstdlib>

#include "ShellFixture.h"
#include "TestPictures.h"
#include "canvas/CardCanvas.h"
#include "dialogs/FileList.h"
#include "dialogs/PictureDialog.h"
#include "dialogs/RadioGroup.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureFile.h"

namespace zepo::test {
namespace {

// Where two images first differ, for a readable failure.
std::string Difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " and " +
               std::to_string(b.width()) + "x" + std::to_string(b.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       QString::number(a.pixel(x, y), 16).toStdString() + " and " +
                       QString::number(b.pixel(x, y), 16).toStdString();
    return "";
}

std::string Encoded(Result<std::vector<uint8_t>> r) { return std::string(r.value().begin(), r.value().end()); }

class PicturesInTheEditor : public ShellTest {
protected:
    void SetUp() override {
        Start();
        form().show();
        form().document().SetSaveFolder(folder.path());
        // 40 × 30, red left half, blue right half.
        Bitmap b(40, 30, PixelFormat::Bgr24);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) SetPixel(b, x, y, x < 20 ? Rgb{255, 0, 0} : Rgb{0, 0, 255});
        bmp24 = Encoded(EncodeBmp(b));
        WriteBytes(folder.path() / "p.bmp", bmp24);
        WriteBytes(folder.path() / "photo.JPG", Encoded(EncodeJpeg(b, 90)));
    }
    const Slot& Picture1() { return form().card().slot(SlotKind::Picture, 1); }
    // Queues one showing of the picture dialog that selects `file` (unless empty), types the
    // fields given and presses OK.
    void Confirm(const char* file, const char* scale = nullptr, const char* x = nullptr, bool remove = false) {
        runner.Push([=](QDialog& d) {
            if (*file) Child<FileList>(d, "FileList").SelectFile(file);
            if (scale) Child<QLineEdit>(d, "StretchEdit").setText(scale);
            if (x) Child<QLineEdit>(d, "BmpX").setText(x);
            Child<QCheckBox>(d, "chkBmpCut").setChecked(remove);
            d.accept();
        });
    }
    TempFolder folder;
    std::string bmp24;
};

TEST_F(PicturesInTheEditor, PlacingConvertsAJpegAndScalesAsTyped) {
    ui().item("mnAuto256Color")->setChecked(false);
    runner.Push([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "静止画 - 1");
        EXPECT_FALSE(Child<QPushButton>(d, "OKBtn").isEnabled()) << "nothing chosen yet";
        Child<FileList>(d, "FileList").setCurrentRow(1);  // "p.bmp", "photo.JPG"
        EXPECT_TRUE(Child<QPushButton>(d, "OKBtn").isEnabled());
        Child<RadioGroup>(d, "FrameList").item(1)->click();
        d.accept();
    });
    ui().button("btnBitmap")->click();
    ASSERT_TRUE(Picture1().inUse);
    EXPECT_EQ(Picture1().picture.fileName, "photo.bmp");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "photo.bmp"));
    EXPECT_EQ(Picture1().bounds, (Rect{10, 10, 40, 30}));
    EXPECT_EQ(Picture1().picture.frame, 1);
    EXPECT_TRUE(ui().item("mnBitmap1")->isChecked());

    struct Case {
        const char* typed;
        float scale;
        int width, height;
        const char* shownNext;
    };
    const Case cases[] = {
        {"33.3333", 0.333f, 13, 10, "33.3"},      {"50", 0.5f, 20, 15, "50.0"},     {"0.01", 0.1f, 4, 3, "10.0"},
        {"20000", 100.0f, 4000, 3000, "10000.0"}, {"100.0", 1.0f, 40, 30, "100.0"}, {"75", 0.75f, 30, 22, "75.0"},
    };
    for (const Case& c : cases) {
        Confirm("photo.bmp", c.typed, "-5");
        ui().item("mnBitmap1")->trigger();
        EXPECT_FLOAT_EQ(Picture1().picture.scale, c.scale) << c.typed;
        EXPECT_EQ(Picture1().bounds, (Rect{-5, 10, c.width, c.height})) << c.typed << ": not clamped, ties to even";
        QString shown;
        runner.Push([&](QDialog& d) { shown = Child<QLineEdit>(d, "StretchEdit").text(); });
        ui().item("mnBitmap1")->trigger();
        EXPECT_EQ(shown, c.shownNext);
    }
}

TEST_F(PicturesInTheEditor, BadFieldsBringTheDialogBackAndBadFilesKeepThePicture) {
    ui().item("mnAuto256Color")->setChecked(false);
    Confirm("p.bmp");
    ui().button("btnBitmap")->click();
    ASSERT_TRUE(Picture1().inUse);
    TakeEvents();

    runner.Push([](QDialog& d) {
        Child<QLineEdit>(d, "StretchEdit").setText("abc");
        d.accept();
    });
    Confirm("p.bmp", "50");  // the dialog comes back and is confirmed properly
    ui().item("mnBitmap1")->trigger();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", "show:拡大率(%)の「abc」は数値ではありません"}));
    EXPECT_EQ(runner.scripts.size(), 0u);
    EXPECT_EQ(Picture1().bounds.width, 20);

    // A ".bmp" holding a JPEG: the message, and the object keeps its picture and name.
    std::filesystem::copy_file(folder.path() / "photo.JPG", folder.path() / "fake.bmp");
    Confirm("fake.bmp", "100", "7");
    ui().item("mnBitmap1")->trigger();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", "show:fake.bmp が読み込めません"}));
    EXPECT_EQ(Picture1().picture.fileName, "p.bmp");
    EXPECT_EQ(Picture1().bounds, (Rect{7, 10, 40, 30})) << "the other fields still apply";
    ASSERT_NE(Picture1().picture.pixels, nullptr);

    // Into a free slot, nothing is placed.
    Confirm("fake.bmp");
    ui().button("btnBitmap")->click();
    EXPECT_FALSE(form().card().slot(SlotKind::Picture, 2).inUse);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", "show:fake.bmp が読み込めません"}));
}

TEST_F(PicturesInTheEditor, TheSamePictureIsNoChangeAndAConversionShowsInEveryPictureOfItsFile) {
    ui().item("mnAuto256Color")->setChecked(false);
    for (int i = 0; i < 2; ++i) {
        Confirm("p.bmp");
        ui().button("btnBitmap")->click();
    }
    Modify([](Card& c) { c.settings.title.clear(); });  // saving would give "main" its default title
    form().document().StartHistory();
    Confirm("p.bmp");
    ui().item("mnBitmap1")->trigger();
    ui().item("mnViewMacro")->trigger();
    EXPECT_FALSE(form().document().canUndo()) << "the picture read again and the macro looked at change nothing";

    WriteBytes(folder.path() / "p.jpg",
               Encoded(EncodeJpeg(Picture(20, 10, std::vector<Rgb>(200, Rgb{0, 255, 0})), 90)));
    prompts.answers = {true};  // p.bmp holds another picture: replace it
    Confirm("p.jpg");
    ui().item("mnBitmap1")->trigger();
    const auto second = [&] { return form().card().slot(SlotKind::Picture, 2); };
    EXPECT_EQ(second().picture.pixels, Picture1().picture.pixels) << "the other picture of p.bmp shows the new pixels";
    EXPECT_EQ(second().bounds, (Rect{10, 10, 20, 10}));
    form().document().Undo();
    EXPECT_EQ(second().bounds, (Rect{10, 10, 40, 30})) << "one change, one step";
}

TEST_F(PicturesInTheEditor, AMissingPictureOrTextFileStaysAsAPlaceholderAndIsSavedAsItWasRead) {
    ui().item("mnAuto256Color")->setChecked(false);
    WriteBytes(folder.path() / "a.txt", "abc\r\n");
    Confirm("p.bmp", "50");
    ui().button("btnBitmap")->click();
    runner.Push([](QDialog& d) {
        Child<FileList>(d, "txtFileList").SelectFile("a.txt");
        Child<QLineEdit>(d, "txtX").setText("200");
        d.accept();
    });
    ui().button("btnTextFile")->click();
    form().cardFile().Save();
    const std::filesystem::path card = folder.path() / "main.zep";
    const std::string saved = ReadBytes(card);
    std::filesystem::remove(folder.path() / "p.bmp");
    std::filesystem::remove(folder.path() / "a.txt");
    TakeEvents();
    chooser.answers.push_back(QString::fromStdString(card.string()));
    form().cardFile().Open();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"beep!", "show:ﾋﾞｯﾄﾏｯﾌﾟ p.bmp の読み込みに失敗しました", "beep!",
                                                      "show:a.txt が読めません"}));
    for (QToolButton* mode :
         {ui().button("btnMove"), ui().button("btnPaint")}) {  // marked in the canvas and in the preview
        mode->click();
        for (int id : {SlotId(SlotKind::Picture, 1), SlotId(SlotKind::TextBlock, 1)}) {
            const Rect& r = form().card().slot(id).bounds;
            EXPECT_EQ(ui().canvas->surface().pixelColor(r.left + 1, r.top + 1), QColor(0xD0, 0, 0))
                << testing::PrintToString(KindOfSlot(id)) << " in " << mode->objectName().toStdString();
        }
    }
    prompts.answers = {true};  // overwrite
    form().cardFile().Save();
    EXPECT_EQ(ReadBytes(card), saved) << "both statements kept";
}

TEST_F(PicturesInTheEditor, AutomaticReductionRewritesA24BitPictureOnce) {
    ui().item("mnAuto256Color")->setChecked(true);
    Confirm("p.bmp");
    ui().button("btnBitmap")->click();
    const std::string reduced = ReadBytes(folder.path() / "p.bmp");
    ASSERT_NE(reduced, bmp24);
    EXPECT_EQ(LoadPicture(folder.path() / "p.bmp").value().fileBitsPerPixel, 8);
    const auto time = std::filesystem::last_write_time(folder.path() / "p.bmp");
    Confirm("p.bmp");
    ui().item("mnBitmap1")->trigger();
    EXPECT_EQ(ReadBytes(folder.path() / "p.bmp"), reduced);
    EXPECT_EQ(std::filesystem::last_write_time(folder.path() / "p.bmp"), time);
}

TEST_F(PicturesInTheEditor, ThePictureStaysWhenTheSaveFolderChangesAndThePreviewShowsIt) {
    ui().item("mnAuto256Color")->setChecked(false);
    Confirm("p.bmp");
    ui().button("btnBitmap")->click();
    const QImage& surface = ui().canvas->surface();
    EXPECT_EQ(surface.pixel(15, 15), qRgb(255, 0, 0));
    TempFolder elsewhere;
    form().document().SetSaveFolder(elsewhere.path());
    std::filesystem::remove(folder.path() / "p.bmp");
    EXPECT_EQ(ui().canvas->surface().pixel(15, 15), qRgb(255, 0, 0));
    EXPECT_EQ(ui().canvas->surface().pixel(45, 15), qRgb(0, 0, 255));

    ui().button("btnPaint")->click();
    EXPECT_EQ(Difference(ui().canvas->surface(), ComposeCard(form().card(), ui().canvas->screen())), "");
    // Removing through the dialog while previewing composes the card without it.
    Confirm("", nullptr, nullptr, true);
    QTest::mousePress(ui().canvas, Qt::RightButton, {}, QPoint(15, 15));
    EXPECT_FALSE(Picture1().inUse);
    EXPECT_EQ(ui().canvas->surface().pixel(15, 15), CardColor(form().card().settings.color).rgb());
}

TEST_F(PicturesInTheEditor, TheEditButtonOpensThePictureInThePaintToolOrItsProgram) {
    for (bool useTools : {false, true}) {
        form().settings().useTools = useTools;
        form().settings().tools[static_cast<int>(Tool::Paint)].exe = "paint";
        runner.Push([](QDialog& d) {
            Child<FileList>(d, "FileList").SelectFile("p.bmp");
            emit Child<FileList>(d, "FileList").itemSelectionChanged();
            Child<QPushButton>(d, "btnEditBmp").click();
        });
        ui().button("btnBitmap")->click();
    }
    const QString path = QString::fromStdString((folder.path() / "p.bmp").string());
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{
                  ("open|" + path).toStdString(),
                  ("paint|<" + path + ">|" + QString::fromStdString(folder.path().string())).toStdString()}));
}

TEST_F(PicturesInTheEditor, ZepocardRenderWritesTheEditorsPreviewOfTheExamples) {
    TempFolder out;
    const std::filesystem::path examples = std::filesystem::path(ZEPO_SOURCE_DIR) / "examples";
    const std::string command = std::string(ZEPOCARD) + " render " + (examples / "main.zep").string() + " " +
                                (examples / "next.zep").string() + " " + (examples / "last.zep").string() + " -o " +
                                out.path().string() + " --format bmp -j 2 --screen " +
                                std::to_string(ui().canvas->screen().width()) + "x" +
                                std::to_string(ui().canvas->screen().height()) + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* card : {"main", "next", "last"}) {
        chooser.answers.push_back(QString::fromStdString((examples / (std::string(card) + ".zep")).string()));
        form().cardFile().Open();
        ui().button("btnPaint")->click();
        const QImage written(QString::fromStdString((out.path() / (std::string(card) + ".bmp")).string()));
        ASSERT_FALSE(written.isNull()) << card;
        EXPECT_EQ(Difference(written.convertToFormat(QImage::Format_RGB32), ui().canvas->surface()), "") << card;
        ui().button("btnMove")->click();
    }
}

// A teacher drags today's material from the file manager onto the card: a screenshot with
// transparency, a phone photo taken upright, a panorama wider than the card, a photo named with
// characters no card can hold, a photo whose name the folder already uses for another picture,
// a document and a folder.
TEST_F(PicturesInTheEditor, DroppedFilesBecomePicturesInTheSaveFolderInOneStep) {
    Modify([](Card& c) { c.settings.color = ColorIndex("AQUA"); });
    TempFolder downloads;
    const auto& from = downloads.path();
    QImage shot(60, 40, QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    for (int y = 0; y < 40; ++y)
        for (int x = 30; x < 60; ++x) shot.setPixel(x, y, qRgb(0, 160, 0));
    shot.save(QString::fromStdString((from / "<b>スクリーンショット 2026.png").string()));
    for (auto [name, size] : {std::pair{"panorama.png", QSize(1600, 300)}, std::pair{"旅行😀.png", QSize(20, 20)}}) {
        QImage plain(size, QImage::Format_RGB32);
        plain.fill(Qt::white);
        plain.save(QString::fromStdString((from / name).string()));
    }
    Bitmap sensor(64, 32, PixelFormat::Bgr24);
    const auto photo = WithExifOrientation(EncodeJpeg(sensor).value(), 6, true);
    WriteBytes(from / "IMG_0002.JPG", std::string(photo.begin(), photo.end()));
    WriteBytes(from / "p.png", Encoded(EncodeBmp(sensor)));  // a BMP named .png: read by its contents
    WriteBytes(from / "授業案.odt", "PK");
    std::filesystem::create_directories(from / "写真");
    prompts.answers = {true, false};  // shrink the panorama; keep the save folder's own p.bmp

    QMimeData data;
    QList<QUrl> urls;
    for (const char* name :
         {"<b>スクリーンショット 2026.png", "IMG_0002.JPG", "panorama.png", "旅行😀.png", "p.png", "授業案.odt", "写真"})
        urls.append(QUrl::fromLocalFile(QString::fromStdString((from / name).string())));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(ui().canvas, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(ui().canvas, &drop);

    struct Placed {
        const char* name;
        Rect bounds;
    } const placed[] = {{"<b>スクリーンショット 2026.bmp", {100, 50, 60, 40}},
                        {"IMG_0002.bmp", {116, 66, 32, 64}},
                        {"panorama.bmp", {132, 82, 800, 150}},
                        {"画像.bmp", {148, 98, 20, 20}}};
    for (int n = 1; n <= 4; ++n) {
        const Slot& s = form().card().slot(SlotKind::Picture, n);
        SCOPED_TRACE(placed[n - 1].name);
        EXPECT_TRUE(s.inUse);
        EXPECT_EQ(SjisToUtf8(s.picture.fileName), placed[n - 1].name);
        EXPECT_EQ(s.bounds, placed[n - 1].bounds);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder.path() / placed[n - 1].name));
    }
    EXPECT_FALSE(form().card().slot(SlotKind::Picture, 5).inUse) << "the folder's own p.bmp was kept";
    EXPECT_EQ(ReadBytes(folder.path() / "p.bmp"), bmp24);
    // Transparency shows the card's background, as the picture's own BMP holds it.
    auto flat = ToPicturePixels(LoadPicture(folder.path() / placed[0].name).value()).value();
    EXPECT_EQ(flat->rgb[5 * 60 + 5], 0xFF000000 | ColorRgb(ColorIndex("AQUA")));
    EXPECT_EQ(flat->rgb[5 * 60 + 45], 0xFF00A000u);
    std::string said;
    for (const std::string& event : prompts.events) said += event + "\n";
    for (const char* told : {"画像.bmp として取り込みます", "授業案.odt は取り込めません", "写真 は取り込めません",
                             "panorama.png はカードより大きい画像です", "p.bmp はすでにあり"})
        EXPECT_NE(said.find(told), std::string::npos) << told << " in " << said;
    EXPECT_EQ(QImage(QString::fromStdString((from / "panorama.png").string())).width(), 1600) << "originals untouched";
    // The whole drop is one step.
    form().document().Undo();
    for (int n = 1; n <= 5; ++n) EXPECT_FALSE(form().card().slot(SlotKind::Picture, n).inUse);
}

}  // namespace
}  // namespace zepo::test
