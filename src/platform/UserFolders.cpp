#include "platform/UserFolders.h"

#include <QDir>
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

// The variables are read as the XDG rules say (Qt has no location for state, and its cache
// location carries the program's display name): all of the user's folders by one rule.
UserPlaces PlacesOfThisUser() {
    UserPlaces places;
    places.home = QDir::homePath().toStdString();
    places.settingsFile = XdgFolder("XDG_CONFIG_HOME", places.home / ".config") / "zepoed" / kSettingsFileName;
    places.recoveryFolder = XdgFolder("XDG_STATE_HOME", places.home / ".local" / "state") / "zepoed" / "recovery";
    return places;
}

std::filesystem::path CacheFolderOfThisUser() {
    return XdgFolder("XDG_CACHE_HOME", QDir::homePath().toStdString() + "/.cache") / "zepoed";
}

}  // namespace zepo
