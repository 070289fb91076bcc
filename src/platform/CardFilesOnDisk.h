#pragma once
// The files a card names, looked up in its save folder on the local file system.

#include <cstdint>
#include <filesystem>

#include "model/Environment.h"

namespace zepo {

// Converts a Shift-JIS file name into the file system's UTF-8 path inside `folder`.
// Cards made on Windows name their files without regard to case, so when no file has the
// exact name, a file of the folder whose name differs only in ASCII case is taken.
// A card comes from anyone: an absolute name, one that climbs out of `folder` ("..\..\x")
// or one whose real path (links followed, RealPathInside) lies outside it gives an empty
// path, which names no file, so nothing outside the save folder is ever read. An existing
// file comes back as its real path.
std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view sjisName);

// True for a name that stays inside the folder it is resolved against.
bool StaysInsideFolder(const std::filesystem::path& relative);

// Cards and text files larger than this are refused: no card or text block comes near it.
constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{64} << 20;

// Reads a whole plain file; nothing when it cannot be read, is not a plain file or is too large.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// The same file split into lines as it is read (see SplitLines), never held whole as bytes;
// lines past `maxLines` are left unread.
std::optional<std::vector<std::string>> ReadFileLines(const std::filesystem::path& path, size_t maxLines = SIZE_MAX);

// What of a text file a text block can ever show: lines starting below 32,768 pixels at the
// smallest font height (4), each up to a width no screen reaches at that height. The rest
// would only cost measuring, memory and a copy with every snapshot of the card.
constexpr size_t kMaxTextBlockLines = 8192;
constexpr size_t kMaxTextBlockLineBytes = 4096;

class PictureCache;

// How a card's pictures are read: by the editor, each decoded for the card to hold; by
// zepocard and the export, through a cache shared by every card of the run (and then, where
// `pixels` is off, the card holds only their sizes: the pixels are fetched again to draw).
struct PictureReading {
    PictureCache* cache = nullptr;
    bool pixels = true;
};

class CardFilesOnDisk : public CardFiles {
public:
    explicit CardFilesOnDisk(std::filesystem::path saveFolder, PictureReading pictures = {})
        : folder_(std::move(saveFolder)), pictures_(pictures) {}
    bool ReachSaveFolder() override;
    std::optional<std::vector<std::string>> ReadTextLines(std::string_view name) override;
    std::optional<PixelSize> PictureSize(std::string_view name) override;
    std::optional<LoadedPicture> LoadPicture(std::string_view name) override;

private:
    std::filesystem::path folder_;
    PictureReading pictures_;
};

}  // namespace zepo
