// Any bytes as a card, read and then drawn as the preview and `zepocard render` compose it
// and as the edit view paints it. Whatever a card holds (positions at the ends of the int
// range, sizes of nothing or of everything, any decoration, direction or frame) must draw
// without a fault: the sanitizers check every sum on the way. The picture is always the
// screen's size (plus the preview's extra column).

#include <QGuiApplication>
#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "ModelFakes.h"
#include "model/MacroFile.h"
#include "model/MacroReader.h"
#include "render/CardRenderer.h"
#include "render/Fonts.h"

namespace zepo::fuzz {
namespace {

struct Silent : MessageSink {
    void Warn(std::string_view) override {}
    bool Ask(std::string_view) override { return true; }
};

// The save folder of the reader's fuzz target, with pixels for its pictures (small ones, so
// that a run spends its time on the drawing, not on copying pixels): a picture that loaded
// is stretched into its bounds and framed, one without pixels only framed.
struct FolderWithPixels : test::FakeFiles {
    FolderWithPixels() {
        texts["aisatsu.txt"] = {test::S("本日はお集まりいただき"), test::S("ありがとうございます。"), "",
                                test::S("次のカードへどうぞ。")};
        texts["memo.txt"] = {"first line", "second, with {braces}", test::S("かな混じり")};
        texts["tate.txt"] = {test::S("あいう"), test::S("えお")};
        texts["empty.txt"] = {};
        texts["long.txt"] = {std::string(300, 'x'), test::S("長い行") + std::string(200, 'y')};
        texts[test::S("文書.txt")] = {test::S("全角だけ")};
        pictures["sakura.bmp"] = {16, 12};
        pictures["SAKURA.BMP"] = {16, 12};
        pictures["photo.bmp"] = {32, 24};
        pictures["dot.jpg"] = {1, 1};
        pictures["wide.bmp"] = {300, 1};
        pictures[test::S("写真.jpg")] = {64, 48};
    }
    std::optional<LoadedPicture> LoadPicture(std::string_view name) override {
        auto size = PictureSize(name);
        if (!size) return std::nullopt;
        auto pixels = std::make_shared<PicturePixels>();
        pixels->width = size->width;
        pixels->height = size->height;
        pixels->fileBitsPerPixel = 24;
        pixels->rgb.resize(size_t(size->width) * size_t(size->height));
        for (size_t i = 0; i < pixels->rgb.size(); ++i) pixels->rgb[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
        return LoadedPicture{*size, std::move(pixels)};
    }
};

constexpr QSize kScreen(640, 480);

}  // namespace
}  // namespace zepo::fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Fonts and painting need the application object; no display is needed.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zepo;
    using namespace zepo::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static FolderWithPixels files;
    static QtTextMeasurer measurer;
    Silent messages;
    ReaderContext context{messages, files, measurer};
    Card card;
    LoadMacro(card, SplitLines(bytes), size % 2 ? "main.zep" : "next.zep", context);

    const QImage preview = ComposeCard(card, kScreen);
    Require(preview.width() == kScreen.width() + 1 && preview.height() == kScreen.height(),
            "the preview is not the screen's size");
    CardRenderer renderer;
    const QImage edit = renderer.Render(card, kScreen, RenderMode::Edit);
    Require(edit.size() == kScreen, "the edit view is not the size asked for");
    return 0;
}
