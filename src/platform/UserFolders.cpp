#include "platform/UserFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

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

Status MakePrivateFolder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> missing;
    std::error_code ec;
    for (std::filesystem::path p = folder; !p.empty() && !std::filesystem::exists(p, ec); p = p.parent_path()) {
        missing.push_back(p);
        if (p == p.parent_path()) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) return Fail(std::generic_category().message(errno));
    return {};
}

Status CheckPrivateFolder(const std::filesystem::path& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return Fail(std::generic_category().message(errno));
    if (S_ISLNK(st.st_mode)) return Fail("リンクです");
    if (!S_ISDIR(st.st_mode)) return Fail("フォルダではありません");
    if (st.st_uid != ::geteuid()) return Fail("ほかのユーザーのフォルダです");
    return {};
}

}  // namespace zepo
