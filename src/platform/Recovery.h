#pragma once
// Copies of a card with unsaved changes, so that a crash or a pulled plug loses at most the
// last half minute. Each run of the editor has its own pair of files in the recovery folder:
// ID.zep holds the card's lines as saving would write them, ID.ini the card file it stands
// for. A saved card and a normal end remove them; what is left at the next start is a crash's.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Result.h"
#include "platform/UserFolders.h"

namespace zepo {

// This run's name for its copy: the process id and the start time.
std::string NewRecoveryId();

class RecoveryFolder {
public:
    RecoveryFolder(std::filesystem::path folder, std::string ownId);

    // Makes the folder (owner-only) when missing, closes an existing one to others and keeps
    // it open; a link, or a folder of someone else, is not used. The error (UTF-8) says why. Until this succeeded
    // nothing is written or offered.
    Status Prepare();
    bool ready() const { return open_.has_value(); }
    const std::filesystem::path& folder() const { return folder_; }

    // What a copy stands for: the card file saving would write, and the file the card was
    // read from or last saved to with its stamp then (empty: a card that was never saved).
    struct Origin {
        std::filesystem::path saveAs;
        std::filesystem::path readFrom;
        std::string stamp;
    };
    // Writes this run's copy (whole or not at all, owner-only) of the card `origin` describes.
    Status Write(const std::vector<std::string>& lines, const Origin& origin);
    // Removes this run's copy.
    void Remove();

    struct Copy {
        std::string id;
        std::filesystem::path card;  // ID.zep
        std::filesystem::path info;  // ID.ini
    };
    // Copies left by runs that are no longer running, newest first, at most kMaxOffered.
    static constexpr size_t kMaxOffered = 20;
    std::vector<Copy> Left() const;
    // What a copy stands for; nothing when its record is missing or unreadable. A record of
    // an older run without the file read from names the card file as that file, stamp unknown.
    static std::optional<Origin> OriginOf(const Copy& copy);
    // Moves a copy into the folder "kept" inside the recovery folder, where it is no longer
    // offered; the moved card file, or why it could not be moved.
    Result<std::filesystem::path> KeepAside(const Copy& copy);
    void Discard(const Copy& copy);
    // A restored copy becomes this run's: written over and removed as this run's own.
    void Adopt(const Copy& copy);

private:
    std::filesystem::path folder_;
    std::string id_;
    std::optional<PrivateFolder> open_;  // the folder as checked, once Prepare succeeded
};

}  // namespace zepo
