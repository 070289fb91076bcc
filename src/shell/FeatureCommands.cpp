#include "shell/FeatureCommands.h"

#include <QAction>

#include "shell/MainWindow.h"

namespace zepo {

FeatureCommands::FeatureCommands(MainWindow& window) : window_(window) {
    MainWindow& w = window_;
    // Not built yet: their dialogs come later. A click toggles the item's own check mark,
    // so the card's marks are shown again: a click must not tick a feature the card lacks.
    for (QAction* a : {w.mnAVI, w.mnAvi2, w.mnWave, w.mnCD, w.mnMIDI, w.mnRun, w.mnMarker, w.mnSlide})
        connect(a, &QAction::triggered, this, [this] { window_.document().Changed(); });
    for (QAction* a : w.mnButton)
        connect(a, &QAction::triggered, this, [this] { window_.document().Changed(); });
}

}  // namespace zepo
