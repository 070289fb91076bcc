#include "shell/FeatureCommands.h"

#include "editors/CardLevelEditor.h"
#include "shell/CommandContext.h"

namespace zepo {

void FeatureCommands::EditButton(int button) {
    ApplyProposal(context_.document, editor_.EditButton(context_.document.card(), button));
}

void FeatureCommands::EditFeature(Feature feature) {
    ApplyProposal(context_.document, editor_.EditFeature(context_.document.card(), feature));
}

void FeatureCommands::EditMovie2() { ApplyProposal(context_.document, editor_.EditMovie2(context_.document.card())); }

void FeatureCommands::EditMarker() { ApplyProposal(context_.document, editor_.EditMarker(context_.document.card())); }

void FeatureCommands::EditSlide() { ApplyProposal(context_.document, editor_.EditSlide(context_.document.card())); }

}  // namespace zepo
