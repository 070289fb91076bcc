#pragma once
// What a card points at outside itself: other cards (associations, buttons, slide entries)
// and files (pictures, text files, sounds, music, movies), each with the line naming it.

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "model/Card.h"
#include "model/MacroReader.h"

namespace zepo::publish {

enum class LinkKind { Card, Medium, Picture, TextFile, Movie };
// Where on the card the link is: an object (text, picture, frame), a button, a feature of the
// card (sound, music, movie), the slide show's list, or the name of a picture or text file.
enum class LinkVia { Object, Button, Feature, Slide, File };

struct CardLink {
    int line = 0;  // 1-based
    LinkKind kind = LinkKind::Card;
    std::string target;  // Shift-JIS file name as the card names it
    LinkVia via = LinkVia::File;
};

// What an association leads to: a card file (the association file, or the name + ".zep" when
// the file is empty), a medium file (WAVE, MIDI, AVI with a file), or nothing to look up
// ("this", CDAUDIO, RUN, a medium's stop form, no association).
struct AssociationTarget {
    enum Kind { None, Card, Medium } kind = None;
    std::string file;  // Shift-JIS
};
AssociationTarget TargetOf(const Association& association);

// Every link the card holds, in the order of the lines the reader set them from (`from`, the
// reader's outcome). What a later statement replaced or the reader left out (an object past
// the last free slot, the statements after a stop) is not on the card, so not a link either.
std::vector<CardLink> FindCardLinks(const Card& card, const SourceLines& from);

enum class Lookup { Found, Missing, Outside, NotPlainFile };
struct FolderFile {
    Lookup state = Lookup::Missing;
    std::filesystem::path path;  // canonical when found
};
// Looks a file named by a card up in its folder (ASCII case ignored as the reader does):
// only a plain file inside the folder counts; "..", absolute names and links leading out
// of the folder are `Outside`.
FolderFile LookUpInFolder(const std::filesystem::path& folder, std::string_view sjisName);

// LookUpInFolder once for each folder and name: the cards of a set name the same files (the
// next card, a shared picture) many times. For one pass over a set; thread-safe.
class FolderLookups {
public:
    FolderFile Find(const std::filesystem::path& folder, std::string_view sjisName);

private:
    std::mutex lock_;
    std::map<std::pair<std::filesystem::path, std::string>, FolderFile> found_;
};

}  // namespace zepo::publish
