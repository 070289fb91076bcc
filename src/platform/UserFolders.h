#pragma once
// What belongs to the user rather than to a card or the program: the settings file in the
// user's configuration folder, the copies of unsaved cards in the user's state folder, the
// cache (thumbnails, the player's pages, the help index) and the home folder a first start
// saves in.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"

namespace zepo {

struct UserPlaces {
    std::filesystem::path settingsFile;    // the user's ZEPOED.INI; empty: none is read or written
    std::filesystem::path recoveryFolder;  // copies of unsaved cards; empty: none are made
    std::filesystem::path home;            // the save folder when none is remembered
};

// $XDG_CONFIG_HOME/zepoed/ZEPOED.INI, $XDG_STATE_HOME/zepoed/recovery and $HOME, each with the
// usual fallback under the home folder when its variable is unset or not absolute.
UserPlaces PlacesOfThisUser();
// $XDG_CACHE_HOME/zepoed (~/.cache/zepoed when the variable is unset or not absolute): the one
// cache folder of the editor, for thumbnails, the player's pages and the help index.
std::filesystem::path CacheFolderOfThisUser();

// A folder that holds what only this user may read or change, open as long as the object
// lives. Every file in it is reached through the open folder (never by a path that could lead
// elsewhere once checked) and never through a link.
class PrivateFolder {
public:
    // Makes `folder` and every missing folder above it (mode 0700), or takes the existing one,
    // and closes it to others (mode 0700). Every folder below `base` (by default the one above
    // `folder`) is treated so: never a link, the user's own, closed to others. Refused, with
    // the reason in Japanese naming the folder, when one is a link or no folder, belongs to
    // someone else or cannot be closed, or when `base` lies in a folder of another user or one
    // others may change (without the sticky bit of the shared temporary folder).
    static Result<PrivateFolder> Open(const std::filesystem::path& folder, const std::filesystem::path& base = {});
    // The same for a folder `name` inside this one.
    Result<PrivateFolder> Inside(const std::string& name) const;

    PrivateFolder(PrivateFolder&& other) noexcept;
    PrivateFolder& operator=(PrivateFolder&& other) noexcept;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder();

    const std::filesystem::path& path() const { return path_; }
    int fd() const { return fd_; }

    // Writes file `name` whole or not at all, readable by the owner only. A link at that name
    // is replaced, never written through.
    Status Write(const std::string& name, std::string_view bytes) const;
    // The bytes of the user's own plain file `name` (not a link), at most `maxBytes` of them.
    std::optional<std::string> Read(const std::string& name, std::uintmax_t maxBytes) const;
    // Whether `name` is a plain file of the user's (a link or someone else's file is not).
    bool HoldsOwnFile(const std::string& name) const;
    void Remove(const std::string& name) const;
    // Moves file `name` into `to` under the same name.
    Status MoveTo(const std::string& name, const PrivateFolder& to) const;

    struct File {
        std::string name;
        std::int64_t modified;  // nanoseconds since the epoch
    };
    // The user's own plain files, in no order, at most `maxFiles` of them.
    std::vector<File> Files(std::size_t maxFiles) const;

private:
    PrivateFolder(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::filesystem::path path_;
    int fd_ = -1;
};

// Makes `folder` as PrivateFolder::Open does.
Status MakePrivateFolder(const std::filesystem::path& folder);
// Whether `folder` may hold private files as it is: a real folder (not a link to one) owned by
// the user, closed to others, in folders no other user may change. Nothing is changed. The
// error (UTF-8, Japanese) names the folder and says why not.
Status CheckPrivateFolder(const std::filesystem::path& folder);

}  // namespace zepo
