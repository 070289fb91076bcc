#pragma once
// The card-level features: media and program associations of the paste menu, the button
// associations and the features menu. Each command runs its round trip over the card and hands
// what it proposes to the document; a cancelled dialog proposes nothing.

#include <QObject>
#include <array>

#include "model/Card.h"

class QAction;

namespace zepo {

struct CommandContext;

class FeatureCommands : public QObject {
    Q_OBJECT
public:
    struct Items {
        std::array<QAction*, kButtonCount> buttons{};
        std::array<QAction*, kFeatureCount> features{};  // in Feature order
        QAction* movie2 = nullptr;
        QAction* marker = nullptr;
        QAction* slide = nullptr;
    };
    FeatureCommands(const CommandContext& context, const Items& items);

    // Button 0 is the right mouse button, 1..5 the player's buttons.
    void EditButton(int button);
    void EditFeature(Feature feature);
    void EditMovie2();
    void EditMarker();
    void EditSlide();

private:
    const CommandContext& context_;
};

}  // namespace zepo
