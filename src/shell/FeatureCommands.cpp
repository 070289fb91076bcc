#include "shell/FeatureCommands.h"

#include <QAction>

#include "editors/CardLevelEditor.h"
#include "shell/CommandContext.h"

namespace zepo {

FeatureCommands::FeatureCommands(const CommandContext& context, const Items& items) : context_(context) {
    for (int i = 0; i < kButtonCount; ++i)
        connect(items.buttons[i], &QAction::triggered, this, [this, i] { EditButton(i); });
    for (int i = 0; i < kFeatureCount; ++i)
        connect(items.features[i], &QAction::triggered, this, [this, i] { EditFeature(static_cast<Feature>(i)); });
    connect(items.movie2, &QAction::triggered, this, [this] { EditMovie2(); });
    connect(items.marker, &QAction::triggered, this, [this] { EditMarker(); });
    connect(items.slide, &QAction::triggered, this, [this] { EditSlide(); });
}

void FeatureCommands::EditButton(int button) {
    if (CardLevelEditor* e = context_.dialogs.cardLevel)
        ApplyProposal(context_.document, e->EditButton(context_.document.card(), button));
}

void FeatureCommands::EditFeature(Feature feature) {
    if (CardLevelEditor* e = context_.dialogs.cardLevel)
        ApplyProposal(context_.document, e->EditFeature(context_.document.card(), feature));
}

void FeatureCommands::EditMovie2() {
    if (CardLevelEditor* e = context_.dialogs.cardLevel)
        ApplyProposal(context_.document, e->EditMovie2(context_.document.card()));
}

void FeatureCommands::EditMarker() {
    if (CardLevelEditor* e = context_.dialogs.cardLevel)
        ApplyProposal(context_.document, e->EditMarker(context_.document.card()));
}

void FeatureCommands::EditSlide() {
    if (CardLevelEditor* e = context_.dialogs.cardLevel)
        ApplyProposal(context_.document, e->EditSlide(context_.document.card()));
}

}  // namespace zepo
