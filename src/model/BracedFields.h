#pragma once
// The characters a card's texts cannot hold where the macro file writes them in braces. The
// reader ends every argument at "}" and the part before an argument's first comma at ",": a
// text holding one of them would come back cut short, its file would not be found, and the
// rest of its line would be read as other arguments. A file the card names by its bare name
// loses, besides, everything up to a folder separator. The dialogs refuse these characters and
// do not offer files whose names contain them.

#include <string_view>

namespace zepo {

enum class CardField {
    Title,            // title {title}
    CardName,         // the name an association to the card carries: {name,file}
    Caption,          // a one-line text, read whole with its commas
    TextFile,         // textf {x,y}{file}
    PictureFile,      // bitmap {x,y}{file,scale}
    AssociationName,  // the part before the comma of an association
    AssociationFile,  // the part after it
    FeatureFile,      // wave {file}, midi {file}, run {command} …: the first part of the argument
    Movie2File,       // avi2 {file}
    SlideEntry,       // a slide line {stem,file}: the part after the comma
};

// The ASCII characters that the reader does not give back in the field.
std::string_view UnreadableCharacters(CardField field);

}  // namespace zepo
