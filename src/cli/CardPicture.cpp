#include "cli/CardPicture.h"

#include "render/CardRenderer.h"

namespace zepo::cli {

QImage RenderCardPicture(const Card& card, const std::filesystem::path& saveFolder, QSize screen) {
    // A renderer per picture: its picture cache is not shared between threads.
    CardRenderer renderer;
    renderer.SetMode(RenderMode::Preview);
    renderer.SetSaveFolder(saveFolder);
    return renderer.Render(card, screen);
}

}  // namespace zepo::cli
