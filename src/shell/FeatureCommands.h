#pragma once
// The card-level features: media and program associations of the paste menu, the button
// associations and the features menu. Each command runs its round trip over the card and hands
// what it proposes to the document; a cancelled dialog proposes nothing.

#include <QObject>

#include "model/Card.h"

namespace zepo {

class CardLevelEditor;
struct CommandContext;

class FeatureCommands : public QObject {
    Q_OBJECT
public:
    FeatureCommands(const CommandContext& context, CardLevelEditor& editor) : context_(context), editor_(editor) {}

    // Button 0 is the right mouse button, 1..5 the player's buttons.
    void EditButton(int button);
    void EditFeature(Feature feature);
    void EditMovie2();
    void EditMarker();
    void EditSlide();

private:
    const CommandContext& context_;
    CardLevelEditor& editor_;
};

}  // namespace zepo
