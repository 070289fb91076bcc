#pragma once
// The card-level round trips: the card's settings, the associations of the mouse buttons and
// of the features started with the card, movie 2, the marker and the slide show. Each shows its
// dialog over the card as it is and proposes the card with the confirmed settings; a cancelled
// dialog proposes nothing.

#include <filesystem>
#include <functional>
#include <optional>

#include "model/Card.h"

namespace zepo {

class ButtonDialog;
class CardSettingsDialog;
class DialogRunner;
class MarkerDialog;
class MessageSink;
class Movie2Dialog;
class SlideDialog;

class CardLevelEditor {
public:
    struct Dialogs {
        CardSettingsDialog& settings;
        ButtonDialog& button;
        Movie2Dialog& movie2;
        MarkerDialog& marker;
        SlideDialog& slide;
    };
    CardLevelEditor(Dialogs dialogs, DialogRunner& runner, MessageSink& messages,
                    std::function<std::filesystem::path()> saveFolder)
        : dialogs_(dialogs), runner_(runner), messages_(messages), saveFolder_(std::move(saveFolder)) {}

    std::optional<Card> EditSettings(const Card& card);
    // Button 0 is the right mouse button, 1..5 the player's buttons.
    std::optional<Card> EditButton(const Card& card, int button);
    std::optional<Card> EditFeature(const Card& card, Feature feature);
    // A feature that is off shows the defaults. Switched off, a feature keeps its other settings,
    // so that only the switch is a change.
    std::optional<Card> EditMovie2(const Card& card);
    std::optional<Card> EditMarker(const Card& card);
    std::optional<Card> EditSlide(const Card& card);

private:
    // The button dialog as loaded, its confirmed association stored by `store`.
    template <typename Store>
    std::optional<Card> WithAssociation(const Card& card, Store store);
    std::filesystem::path SaveFolder() const { return saveFolder_ ? saveFolder_() : std::filesystem::path(); }

    Dialogs dialogs_;
    DialogRunner& runner_;
    MessageSink& messages_;
    std::function<std::filesystem::path()> saveFolder_;
};

}  // namespace zepo
