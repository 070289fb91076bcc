#include "model/BracedFields.h"

namespace zepo {

std::string_view UnreadableCharacters(CardField field) {
    constexpr std::string_view kFirstPart = ",}";    // before an argument's first comma
    constexpr std::string_view kRest = "}";          // the whole argument, or what follows its comma
    constexpr std::string_view kBareFile = "/\\,}";  // written without its folder, before a comma
    switch (field) {
        case CardField::Caption:
        case CardField::AssociationFile:
        case CardField::SlideEntry: return kRest;
        case CardField::TextFile:
        case CardField::PictureFile:
        case CardField::Movie2File: return kBareFile;
        case CardField::Title:
        case CardField::CardName:
        case CardField::AssociationName:
        case CardField::FeatureFile: return kFirstPart;
    }
    return kFirstPart;
}

}  // namespace zepo
