#include "shell/FeatureCommands.h"

#include <QAction>

#include "dialogs/ButtonDialog.h"
#include "dialogs/DialogRunner.h"
#include "dialogs/MarkerDialog.h"
#include "dialogs/Movie2Dialog.h"
#include "dialogs/Prompts.h"
#include "dialogs/SlideDialog.h"
#include "shell/MainWindow.h"

namespace zepo {
namespace {

// Stores the confirmed settings of a feature; true when the card changed. A feature switched
// off keeps what the card had, so that only the switch is a change.
template <typename Settings>
bool Store(Settings& stored, Settings chosen) {
    if (!chosen.inUse) {
        chosen = stored;
        chosen.inUse = false;
    }
    if (chosen == stored) return false;
    stored = std::move(chosen);
    return true;
}

}  // namespace

FeatureCommands::FeatureCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    for (int i = 0; i < kButtonCount; ++i)
        connect(w.mnButton[i], &QAction::triggered, this, [this, i] { EditButton(i); });
    const std::pair<QAction*, Feature> features[] = {
        {w.mnWave, Feature::Wave}, {w.mnCD, Feature::CdAudio}, {w.mnMIDI, Feature::Midi},
        {w.mnAVI, Feature::Avi},   {w.mnRun, Feature::Run}};
    for (auto [item, feature] : features)
        connect(item, &QAction::triggered, this, [this, f = feature] { EditFeature(f); });
    connect(w.mnAvi2, &QAction::triggered, this, [this] { EditMovie2(); });
    connect(w.mnMarker, &QAction::triggered, this, [this] { EditMarker(); });
    connect(w.mnSlide, &QAction::triggered, this, [this] { EditSlide(); });
}

void FeatureCommands::Finish(bool changed, QAction* item, bool inUse) {
    if (changed) window_.document().Changed();
    else item->setChecked(inUse);
}

void FeatureCommands::EditButton(int button) {
    Card& card = window_.card();
    ButtonDialog* dialog = window_.dialogs().button;
    bool changed = false;
    if (dialog) {
        dialog->Load(card, button);
        if (window_.services().dialogs.Run(*dialog)) {
            const Association oldAssociation = card.buttons[button];
            const bool wasInUse = card.buttonInUse[button];
            ButtonDialog::StoreButton(card, button, dialog->Read());
            changed = card.buttons[button] != oldAssociation || card.buttonInUse[button] != wasInUse;
        }
    }
    Finish(changed, window_.mnButton[button], card.buttonInUse[button]);
}

void FeatureCommands::EditFeature(Feature feature) {
    Card& card = window_.card();
    const int i = static_cast<int>(feature);
    QAction* items[] = {window_.mnWave, window_.mnCD, window_.mnMIDI, window_.mnAVI, window_.mnRun};
    ButtonDialog* dialog = window_.dialogs().button;
    bool changed = false;
    if (dialog) {
        dialog->Load(card, feature);
        if (window_.services().dialogs.Run(*dialog)) {
            const Association oldAssociation = card.features[i];
            const bool wasInUse = card.featureInUse[i];
            ButtonDialog::StoreFeature(card, feature, dialog->Read());
            changed = card.features[i] != oldAssociation || card.featureInUse[i] != wasInUse;
        }
    }
    Finish(changed, items[i], card.featureInUse[i]);
}

void FeatureCommands::EditMovie2() {
    Card& card = window_.card();
    Movie2Dialog* dialog = window_.dialogs().movie2;
    bool changed = false;
    if (dialog) {
        // A feature that is off starts from the defaults, without a chosen movie.
        dialog->Load(card.movie2.inUse ? card.movie2 : Movie2Settings{}, window_.document().saveFolder());
        while (window_.services().dialogs.Run(*dialog)) {
            Result<Movie2Settings> read = dialog->Read();
            if (!read) {
                window_.services().prompts.Warn(read.error().message);
                continue;
            }
            changed = Store(card.movie2, read.value());
            break;
        }
    }
    Finish(changed, window_.mnAvi2, card.movie2.inUse);
}

void FeatureCommands::EditMarker() {
    Card& card = window_.card();
    MarkerDialog* dialog = window_.dialogs().marker;
    bool changed = false;
    if (dialog) {
        dialog->Load(card.marker.inUse ? card.marker : MarkerSettings{});
        if (window_.services().dialogs.Run(*dialog)) {
            changed = Store(card.marker, dialog->Read());
        }
    }
    Finish(changed, window_.mnMarker, card.marker.inUse);
}

void FeatureCommands::EditSlide() {
    Card& card = window_.card();
    SlideDialog* dialog = window_.dialogs().slide;
    bool changed = false;
    if (dialog) {
        dialog->Load(card.slide.inUse ? card.slide : SlideSettings{}, window_.document().saveFolder());
        if (window_.services().dialogs.Run(*dialog)) {
            changed = Store(card.slide, dialog->Read());
        }
    }
    Finish(changed, window_.mnSlide, card.slide.inUse);
}

}  // namespace zepo
