#include "platform/Recovery.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/SystemErrors.h"
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
    ready_ = false;
    if (folder_.empty()) return Fail("場所がありません");
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(folder_, ec)))
        if (Status made = MakePrivateFolder(folder_); !made) return made;
    if (Status checked = CheckPrivateFolder(folder_); !checked) return checked;
    ready_ = true;
    return {};
}

Status RecoveryFolder::Write(const std::vector<std::string>& lines, const Origin& origin) {
    if (!ready_) return Fail("場所がありません");
    // Checked again: the folder may have been replaced since the start.
    if (Status checked = CheckPrivateFolder(folder_); !checked) return checked;
    ProfileFile info;
    info.SetString(kSection, "CardFile", origin.saveAs.string());
    info.SetString(kSection, "ReadFrom", origin.readFrom.string());
    info.SetString(kSection, "Stamp", origin.stamp);
    if (Status written = WriteFileAtomically(folder_ / (id_ + ".ini"), info.ToBytes(), FileAccess::OwnerOnly); !written)
        return written;
    return WriteFileAtomically(folder_ / (id_ + ".zep"), JoinMacroLines(lines), FileAccess::OwnerOnly);
}

void RecoveryFolder::Remove() {
    if (!ready_) return;
    std::error_code ec;
    fs::remove(folder_ / (id_ + ".zep"), ec);
    fs::remove(folder_ / (id_ + ".ini"), ec);
}

std::vector<RecoveryFolder::Copy> RecoveryFolder::Left() const {
    std::vector<std::pair<fs::file_time_type, Copy>> found;
    if (!ready_) return {};
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() != ".zep" || !it->is_regular_file(ec)) continue;
        const std::string id = p.stem().string();
        if (id == id_ || id.empty() || id.front() == '.' || StillRunning(id)) continue;
        found.push_back({it->last_write_time(ec), Copy{id, p, folder_ / (id + ".ini")}});
        if (found.size() > 10 * kMaxOffered) break;  // a folder that filled up is not read to its end
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Copy> copies;
    for (auto& f : found) {
        if (copies.size() == kMaxOffered) break;
        copies.push_back(std::move(f.second));
    }
    return copies;
}

std::optional<RecoveryFolder::Origin> RecoveryFolder::OriginOf(const Copy& copy) {
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
    const fs::path kept = folder_ / "kept";
    if (Status made = MakePrivateFolder(kept); !made) return made.error();
    if (Status checked = CheckPrivateFolder(kept); !checked) return checked.error();
    std::error_code ec;
    const fs::path target = kept / copy.card.filename();
    fs::rename(copy.card, target, ec);
    if (ec) return Fail(ReasonOfError(ec));
    fs::rename(copy.info, kept / copy.info.filename(), ec);  // a record that is gone stays gone
    return target;
}

void RecoveryFolder::Discard(const Copy& copy) {
    std::error_code ec;
    fs::remove(copy.card, ec);
    fs::remove(copy.info, ec);
}

void RecoveryFolder::Adopt(const Copy& copy) { id_ = copy.id; }

}  // namespace zepo
