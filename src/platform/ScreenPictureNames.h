#pragma once
// The file names of the pictures the editor makes of the card in the save folder.

#include <filesystem>
#include <string>

namespace zepo {

// "画面" + n + ".bmp" in Shift-JIS, n the smallest number from 1 up for which nothing of
// that name exists in the folder (a dangling link counts as existing: nothing is overwritten).
std::string FirstFreeScreenPictureName(const std::filesystem::path& folder);

// "capt_" + card name + ".jpg" in Shift-JIS.
std::string CaptureFileName(const std::string& sjisCardName);

}  // namespace zepo
