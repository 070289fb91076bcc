#include "dialogs/FolderPlaces.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zepo {

PlaceSources PlaceSourcesOfThisUser(const QString& home, const QStringList& recent) {
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
    PlaceSources sources{home, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), {}, recent};
    if (!user.isEmpty() && !user.contains('/')) sources.mediaRoots = {"/media/" + user, "/run/media/" + user};
    return sources;
}

QList<FolderPlace> FolderPlaces(const PlaceSources& sources) {
    QList<FolderPlace> places;
    auto add = [&places](const QString& caption, const QString& path) {
        if (path.isEmpty() || !QFileInfo(path).isDir()) return;
        const QString clean = QDir::cleanPath(path);
        for (const FolderPlace& p : places)
            if (p.path == clean) return;
        places.append({caption, clean});
    };
    add("ホーム", sources.home);
    if (QDir::cleanPath(sources.desktop) != QDir::cleanPath(sources.home)) add("デスクトップ", sources.desktop);
    for (const QString& root : sources.mediaRoots)
        for (const QString& medium : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            add("リムーバブル メディア：" + medium, root + "/" + medium);
    for (const QString& folder : sources.recent) add("最近の保存フォルダ：" + QDir::cleanPath(folder), folder);
    return places;
}

int PlaceHolding(const QList<FolderPlace>& places, const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    int best = -1;
    for (int i = 0; i < places.size(); ++i) {
        const QString& path = places[i].path;
        const bool holds = clean == path || clean.startsWith(path == "/" ? path : path + "/");
        if (holds && (best < 0 || path.size() > places[best].path.size())) best = i;
    }
    return best;
}

}  // namespace zepo
