#pragma once
// The card-level features: media and program associations of the paste menu, the button
// associations and the features menu.

#include <QObject>

namespace zepo {

class MainWindow;

class FeatureCommands : public QObject {
    Q_OBJECT
public:
    explicit FeatureCommands(MainWindow& window);

private:
    MainWindow& window_;
};

}  // namespace zepo
