#include "editors/CardLevelEditor.h"

#include "dialogs/ButtonDialog.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/MarkerDialog.h"
#include "dialogs/Movie2Dialog.h"
#include "dialogs/SlideDialog.h"
#include "editors/RoundTrip.h"

namespace zepo {
namespace {

// The confirmed settings of a feature; one switched off keeps what the card had.
template <typename Settings>
Settings Confirmed(const Settings& stored, Settings chosen) {
    if (chosen.inUse) return chosen;
    Settings off = stored;
    off.inUse = false;
    return off;
}

// The card with `member` set to the confirmed settings, or nothing when cancelled.
template <typename Settings>
std::optional<Card> WithFeature(const Card& card, Settings Card::*member, std::optional<Settings> chosen) {
    if (!chosen) return std::nullopt;
    Card next = card;
    next.*member = Confirmed(card.*member, std::move(*chosen));
    return next;
}

}  // namespace

std::optional<Card> CardLevelEditor::EditSettings(const Card& card) {
    CardSettingsDialog& dialog = dialogs_.settings;
    dialog.Load(card.settings);
    std::optional<CardSettings> chosen = AskDialog(dialog, runner_, messages_);
    // The next showing starts from the card again, whatever was typed into a cancelled one.
    if (!chosen) {
        dialog.Load(card.settings);
        return std::nullopt;
    }
    Card next = card;
    next.settings = std::move(*chosen);
    return next;
}

std::optional<Card> CardLevelEditor::EditButton(const Card& card, int button) {
    dialogs_.button.Load(card, button);
    return WithAssociation(card, [button](Card& next, const Association& a) { next.SetButton(button, a); });
}

std::optional<Card> CardLevelEditor::EditFeature(const Card& card, Feature feature) {
    dialogs_.button.Load(card, feature);
    return WithAssociation(card, [feature](Card& next, const Association& a) { next.SetFeature(feature, a); });
}

template <typename Store>
std::optional<Card> CardLevelEditor::WithAssociation(const Card& card, Store store) {
    std::optional<Association> chosen = AskDialog(dialogs_.button, runner_, messages_);
    if (!chosen) return std::nullopt;
    Card next = card;
    store(next, *chosen);
    return next;
}

std::optional<Card> CardLevelEditor::EditMovie2(const Card& card) {
    dialogs_.movie2.Load(card.movie2.inUse ? card.movie2 : Movie2Settings{}, SaveFolder());
    return WithFeature(card, &Card::movie2, AskDialog(dialogs_.movie2, runner_, messages_));
}

std::optional<Card> CardLevelEditor::EditMarker(const Card& card) {
    dialogs_.marker.Load(card.marker.inUse ? card.marker : MarkerSettings{});
    return WithFeature(card, &Card::marker, AskDialog(dialogs_.marker, runner_, messages_));
}

std::optional<Card> CardLevelEditor::EditSlide(const Card& card) {
    dialogs_.slide.Load(card.slide.inUse ? card.slide : SlideSettings{}, SaveFolder());
    return WithFeature(card, &Card::slide, AskDialog(dialogs_.slide, runner_, messages_));
}

}  // namespace zepo
