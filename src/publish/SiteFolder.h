#pragma once
// The folder an export writes into, held open by a handle from the moment it is checked: it
// and the folders the export fills must be the user's own and closed to other users' writes,
// and what is removed from it is reached only through handles of folders checked on the way,
// never by a path walked again afterwards (where a folder swapped for a link would lead
// elsewhere).

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "core/Result.h"

namespace zepo::publish {

// A file as an export wrote it.
struct WrittenFile {
    uint64_t size = 0;
    std::string sha256;  // hex; empty when unknown (a record of an older version): never removed
    bool operator==(const WrittenFile&) const = default;
};

// What earlier exports wrote into a site, as the record they left there says: each file by
// its path relative to the site ("pictures/main.png"). A plain value, read before anything of
// the site is changed.
struct SiteRecord {
    bool found = false;  // the site holds a record of ours, readable or not
    std::map<std::string, WrittenFile> files;
};

// The SHA-256 (hex) of the plain file open at `fd`, read from its start, when it holds at most
// `maxBytes`; empty for anything else (a device or a pipe would never end).
std::string Sha256OfOpenFile(int fd, uint64_t maxBytes);

class SiteFolder {
public:
    // Opens the existing folder `site` without following a link and checks it and the folders
    // of the export in it (cards, pictures, thumbs, media and every folder below media). The
    // reason names the folder refused.
    static Result<std::shared_ptr<SiteFolder>> Open(const std::filesystem::path& site);
    ~SiteFolder();
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    // Whether the folder holds any entry but the one named `except`.
    bool HoldsAnythingBut(const std::string& except) const;

    // Removes site/`relative` when it is still the plain file that was written (same size and
    // hash), reached through folders each opened without following a link and checked as
    // Open checks; then the folders below media/ that this left empty. False when it was left.
    bool RemoveIfAsWritten(const std::string& relative, const WrittenFile& written) const;

private:
    explicit SiteFolder(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace zepo::publish
