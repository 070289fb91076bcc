#pragma once
// What each file of an exported site was made from, so that exporting the same set again
// makes only what changed. The record lives in the site; it is read as hostile input (a
// stranger may have edited the site), and anything it cannot vouch for is made again.

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"
#include "publish/SiteFolder.h"

namespace zepo::publish {

// One input as it was: a missing input is recorded too, so that its appearance counts as a change.
struct InputStamp {
    std::string path;  // relative to the set's folder, as its raw bytes
    bool exists = false;
    uint64_t size = 0;
    int64_t mtime = 0;   // nanoseconds of the file's modification time
    std::string sha256;  // hex
    bool operator==(const InputStamp&) const = default;
};

class ExportManifest {
public:
    static constexpr const char* kFileName = ".zepocard-manifest.json";
    // Larger files are not read: a real site's record is a few hundred kilobytes.
    static constexpr int64_t kMaxBytes = 32 << 20;

    // `folder` is the set's folder, `site` the output folder; the record is site/kFileName.
    ExportManifest(std::filesystem::path folder, std::filesystem::path site);

    // Reads the site's record; a missing, oversized or malformed one counts as empty (and a
    // missing one or a link as not found).
    void Load();
    // What the record said when it was loaded, before this export changed anything.
    const SiteRecord& Earlier() const { return earlier_; }
    // Writes the outputs of this export (never through a link) (recorded, found up to date, or
    // carried); the others are forgotten, so a card removed from the set leaves no trace in the record.
    Status Save() const;

    // Inputs larger than this are never read to be hashed (no card, picture or medium the
    // export takes is larger): their outputs are made again each time.
    static constexpr uint64_t kMaxHashedBytes = uint64_t{1} << 30;

    // The inputs as they are now, each a path in the set's folder. A file whose size and time
    // match the record of `output` keeps its recorded hash; any other is read and hashed.
    // Names that are not in the folder are left out; one whose real path leads out of the
    // folder counts as missing and is not read.
    std::vector<InputStamp> Stamp(const std::string& output, const std::vector<std::filesystem::path>& inputs) const;

    // Whether site/`output` exists as it was written, from the same inputs (same contents)
    // and the same recipe (program version, screen size, kind of output). An output found
    // up to date is kept in the record with the inputs' new times, so that a touched but
    // unchanged file is hashed only once.
    bool UpToDate(const std::string& output, const std::vector<InputStamp>& inputs, const std::string& recipe);

    // After site/`output` was written: its size and hash are read back. Thread-safe, as are
    // Stamp and UpToDate.
    void Record(const std::string& output, std::vector<InputStamp> inputs, const std::string& recipe);
    // A page, the index or a script, made anew every time from no input: `bytes` are what site/`output` holds.
    void RecordText(const std::string& output, std::string_view bytes);
    // An output of an earlier export that this one did not make again but did not remove either
    // (the export failed before it could): kept in the record, to be removed by a later one.
    void Carry(const std::string& output);

private:
    struct Entry {
        std::string recipe;
        uint64_t outputSize = 0;
        std::string outputSha256;  // hex
        std::vector<InputStamp> inputs;
        bool kept = false;
    };

    std::filesystem::path folder_, site_;
    std::map<std::string, Entry> entries_;
    SiteRecord earlier_;
    mutable std::mutex lock_;
};

}  // namespace zepo::publish
