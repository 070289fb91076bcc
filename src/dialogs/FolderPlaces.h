#pragma once
// The places a folder is chosen from: the user's home, the desktop, removable media and the
// save folders used lately. The save-folder dialog lists them where a drive box once was, and
// the open dialog's side bar shows the same ones.

#include <QList>
#include <QString>
#include <QStringList>

namespace zepo {

struct FolderPlace {
    QString caption;  // what the list shows
    QString path;
    bool operator==(const FolderPlace&) const = default;
};

struct PlaceSources {
    QString home;
    QString desktop;         // the user's desktop folder (XDG), perhaps missing
    QStringList mediaRoots;  // where removable media are mounted for the user
    QStringList recent;      // save folders, the latest first
};

// This user's sources: `home`, the desktop the platform names, /media/$USER and
// /run/media/$USER, and `recent`.
PlaceSources PlaceSourcesOfThisUser(const QString& home, const QStringList& recent);

// The places of `sources` that exist as folders, each once, in the order above; each medium
// mounted under a media root is a place of its own.
QList<FolderPlace> FolderPlaces(const PlaceSources& sources);

// Of `places`, the one holding `folder` most closely; -1 for none.
int PlaceHolding(const QList<FolderPlace>& places, const QString& folder);

}  // namespace zepo
