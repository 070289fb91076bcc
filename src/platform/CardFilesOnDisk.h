#pragma once
// The files a card names, looked up in its save folder on the local file system.

#include <filesystem>

#include "model/Environment.h"

namespace zepo {

// Converts a Shift-JIS file name into the file system's UTF-8 path inside `folder`.
// Cards made on Windows name their files without regard to case, so when no file has the
// exact name, a file of the folder whose name differs only in ASCII case is taken.
std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view sjisName);

// Reads a whole file; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

class CardFilesOnDisk : public CardFiles {
public:
    explicit CardFilesOnDisk(std::filesystem::path saveFolder) : folder_(std::move(saveFolder)) {}
    bool EnterSaveFolder() override;
    std::optional<std::vector<std::string>> ReadTextLines(std::string_view name) override;
    std::optional<PixelSize> PictureSize(std::string_view name) override;

private:
    std::filesystem::path folder_;
};

}  // namespace zepo
