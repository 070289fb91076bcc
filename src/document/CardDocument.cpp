#include "document/CardDocument.h"

namespace zepo {

void CardDocument::SetSaveFolder(std::filesystem::path folder) {
    saveFolder_ = std::move(folder);
    emit saveFolderChanged();
    // Pictures and text blocks are found in the save folder: the drawing depends on it.
    emit changed();
}

void CardDocument::SetPreview(bool on) {
    if (preview_ == on) return;
    preview_ = on;
    emit changed();
}

}  // namespace zepo
