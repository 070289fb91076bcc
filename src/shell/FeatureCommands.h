#pragma once
// The card-level features: media and program associations of the paste menu, the button
// associations and the features menu. Each command shows its dialog over the card's settings
// and stores them only on OK: a cancelled dialog leaves the card exactly as it was.

#include <QObject>

#include "model/Card.h"

class QAction;

namespace zepo {

class MainWindow;

class FeatureCommands : public QObject {
    Q_OBJECT
public:
    explicit FeatureCommands(MainWindow& window);

    // Button 0 is the right mouse button, 1..5 the player's buttons.
    void EditButton(int button);
    void EditFeature(Feature feature);
    void EditMovie2();
    void EditMarker();
    void EditSlide();

private:
    // Tells the views about a confirmed change; without one, only the clicked item's check
    // mark, which the click toggled, goes back to what the card says.
    void Finish(bool changed, QAction* item, bool inUse);

    MainWindow& window_;
};

}  // namespace zepo
