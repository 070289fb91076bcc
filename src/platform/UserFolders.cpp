#include "platform/UserFolders.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

#include "platform/Settings.h"

namespace zepo {
namespace {

// An XDG variable when it names an absolute folder, else the fallback under the home folder.
std::filesystem::path XdgFolder(const char* variable, const std::filesystem::path& fallback) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    return fallback;
}

}  // namespace

UserPlaces PlacesOfThisUser() {
    UserPlaces places;
    places.home = QDir::homePath().toStdString();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const std::filesystem::path configFolder =
        config.isEmpty() ? places.home / ".config" : std::filesystem::path(config.toStdString());
    places.settingsFile = configFolder / "zepoed" / kSettingsFileName;
    // Qt of this system has no location for state: the variable is read as the XDG rules say.
    places.recoveryFolder = XdgFolder("XDG_STATE_HOME", places.home / ".local" / "state") / "zepoed" / "recovery";
    return places;
}

}  // namespace zepo
