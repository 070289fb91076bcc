#pragma once
// Files dropped on the card from the file manager: each picture is taken into the save folder
// and becomes a new picture object where it was dropped. The whole drop is one change of the
// card (one undo step), or none when nothing could be placed.

#include <QObject>
#include <QPoint>
#include <QStringList>

#include "shell/CommandContext.h"

namespace zepo {

class DropCommands : public QObject {
    Q_OBJECT
public:
    explicit DropCommands(CommandContext& context) : context_(context) {}

    // `paths` in the order they were dropped; `at` in card coordinates.
    void DropFiles(const QStringList& paths, QPoint at);

private:
    CommandContext& context_;
};

}  // namespace zepo
