#include "platform/Recovery.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <utility>

#include "model/MacroFile.h"
#include "platform/ProfileFile.h"
#include "platform/UserFolders.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

constexpr const char* kSection = "Recovery";

// Whether the run that wrote copy `id` still runs: its process is alive and is this program.
bool StillRunning(const std::string& id) {
    const size_t dash = id.find('-');
    long pid = 0;
    try {
        pid = std::stol(id.substr(0, dash));
    } catch (...) {
        return false;
    }
    if (pid <= 0 || pid == ::getpid()) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    std::error_code a, b;
    const fs::path theirs = fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", a);
    const fs::path ours = fs::read_symlink("/proc/self/exe", b);
    return !a && !b && theirs == ours;
}

}  // namespace

std::string NewRecoveryId() {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch());
    return std::to_string(::getpid()) + "-" + std::to_string(ms.count());
}

RecoveryFolder::RecoveryFolder(fs::path folder, std::string ownId)
    : folder_(std::move(folder)), id_(std::move(ownId)) {}

Status RecoveryFolder::Prepare() {
    open_.reset();
    if (folder_.empty()) return Fail("場所がありません");
    Result<PrivateFolder> opened = PrivateFolder::Open(folder_);
    if (!opened) return opened.error();
    open_ = std::move(opened).value();
    return {};
}

Status RecoveryFolder::Write(const std::vector<std::string>& lines, const Origin& origin) {
    if (!open_) return Fail("場所がありません");
    ProfileFile info;
    info.SetString(kSection, "CardFile", origin.saveAs.string());
    info.SetString(kSection, "ReadFrom", origin.readFrom.string());
    info.SetString(kSection, "Stamp", origin.stamp);
    if (Status written = open_->Write(id_ + ".ini", info.ToBytes()); !written) return written;
    return open_->Write(id_ + ".zep", JoinMacroLines(lines));
}

void RecoveryFolder::Remove() {
    if (!open_) return;
    open_->Remove(id_ + ".zep");
    open_->Remove(id_ + ".ini");
}

std::vector<RecoveryFolder::Copy> RecoveryFolder::Left() const {
    if (!open_) return {};
    // Only the user's own plain files count: a folder that was open to others may hold what
    // they put there. A folder that filled up is not read to its end.
    std::vector<PrivateFolder::File> found = open_->Files(20 * kMaxOffered);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.modified > b.modified; });
    std::vector<Copy> copies;
    for (const PrivateFolder::File& file : found) {
        const fs::path name = file.name;
        if (copies.size() == kMaxOffered) break;
        if (name.extension() != ".zep") continue;
        const std::string id = name.stem().string();
        if (id == id_ || id.empty() || id.front() == '.' || StillRunning(id)) continue;
        copies.push_back(Copy{id, folder_ / name, folder_ / (id + ".ini")});
    }
    return copies;
}

std::optional<RecoveryFolder::Origin> RecoveryFolder::OriginOf(const Copy& copy) {
    // The record is the user's own plain file, not a link to one elsewhere.
    struct stat st {};
    if (::lstat(copy.info.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return std::nullopt;
    ProfileProblem problem;
    const ProfileFile info = ProfileFile::Load(copy.info, &problem);
    if (problem != ProfileProblem::None) return std::nullopt;
    const fs::path card = info.GetString(kSection, "CardFile", "");
    if (card.empty() || !card.is_absolute() || card.filename().empty()) return std::nullopt;
    constexpr const char* kAbsent = "\x01";  // no key: a record of an older run
    const std::string readFrom = info.GetString(kSection, "ReadFrom", kAbsent);
    if (readFrom == kAbsent) return Origin{card, card, {}};
    if (!readFrom.empty() && !fs::path(readFrom).is_absolute()) return std::nullopt;
    return Origin{card, readFrom, info.GetString(kSection, "Stamp", "")};
}

Result<fs::path> RecoveryFolder::KeepAside(const Copy& copy) {
    if (!open_) return Fail("場所がありません");
    Result<PrivateFolder> kept = open_->Inside("kept");
    if (!kept) return kept.error();
    if (Status moved = open_->MoveTo(copy.card.filename().string(), kept.value()); !moved) return moved.error();
    (void)open_->MoveTo(copy.info.filename().string(), kept.value());  // a record that is gone stays gone
    return kept.value().path() / copy.card.filename();
}

void RecoveryFolder::Discard(const Copy& copy) {
    if (!open_) return;
    open_->Remove(copy.card.filename().string());
    open_->Remove(copy.info.filename().string());
}

void RecoveryFolder::Adopt(const Copy& copy) { id_ = copy.id; }

}  // namespace zepo
