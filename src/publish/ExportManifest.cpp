#include "publish/ExportManifest.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/InsideFolder.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo::publish {
namespace fs = std::filesystem;
namespace {

constexpr int kFormat = 1;

// The hash of a plain file of at most `maxBytes`; empty for anything else (a device or a pipe
// would never end, a huge file is not worth reading: its outputs are made again each time).
std::string Sha256Of(const fs::path& file, uint64_t maxBytes, int flags = 0) {
    const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | flags);
    if (fd < 0) return {};
    std::string hex = Sha256OfOpenFile(fd, maxBytes);
    close(fd);
    return hex;
}

// Names are kept as their bytes (Shift-JIS names are not UTF-8), percent-encoded into the JSON.
QString Encoded(const std::string& bytes) {
    return QString::fromLatin1(QByteArray::fromStdString(bytes).toPercentEncoding());
}
std::string Decoded(const QString& text) { return QByteArray::fromPercentEncoding(text.toLatin1()).toStdString(); }

QJsonObject ToJson(const InputStamp& s) {
    QJsonObject o;
    o["path"] = Encoded(s.path);
    o["exists"] = s.exists;
    // Sizes and times as text: JSON numbers are doubles and lose nanoseconds.
    o["size"] = QString::number(s.size);
    o["mtime"] = QString::number(s.mtime);
    o["sha256"] = QString::fromStdString(s.sha256);
    return o;
}

bool FromJson(const QJsonValue& v, InputStamp& s) {
    if (!v.isObject()) return false;
    const QJsonObject o = v.toObject();
    bool sizeOk = false, timeOk = false;
    s.path = Decoded(o["path"].toString());
    s.exists = o["exists"].toBool();
    s.size = o["size"].toString().toULongLong(&sizeOk);
    s.mtime = o["mtime"].toString().toLongLong(&timeOk);
    s.sha256 = o["sha256"].toString().toStdString();
    return sizeOk && timeOk && !s.path.empty();
}

}  // namespace

ExportManifest::ExportManifest(fs::path folder, fs::path site) : folder_(std::move(folder)), site_(std::move(site)) {}

void ExportManifest::Load() {
    std::lock_guard guard(lock_);
    entries_.clear();
    earlier_ = {};
    const fs::path file = site_ / kFileName;
    std::error_code ec;
    // A link is nobody's record: it is neither followed here nor written through on saving.
    if (!fs::is_regular_file(fs::symlink_status(file, ec))) return;
    // The name is ours: the folder is a site, even when what the record says cannot be read
    // (then nothing is vouched for: everything is made again and nothing removed).
    earlier_.found = true;
    const auto size = fs::file_size(file, ec);
    if (ec || size > uint64_t(kMaxBytes)) return;
    std::ifstream in(file, std::ios::binary);
    std::string bytes(size_t(size), '\0');
    if (!in.read(bytes.data(), std::streamsize(size))) return;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return;
    const QJsonObject root = doc.object();
    if (root["format"].toInt() != kFormat) return;
    const QJsonObject outputs = root["outputs"].toObject();
    for (auto it = outputs.begin(); it != outputs.end(); ++it) {
        const QJsonObject o = it.value().toObject();
        Entry entry;
        bool sizeOk = false;
        entry.recipe = o["recipe"].toString().toStdString();
        entry.outputSize = o["size"].toString().toULongLong(&sizeOk);
        entry.outputSha256 = o["sha256"].toString().toStdString();
        bool inputsOk = sizeOk && o["inputs"].isArray();
        for (const QJsonValue& v : o["inputs"].toArray()) {
            InputStamp s;
            inputsOk = inputsOk && FromJson(v, s);
            entry.inputs.push_back(std::move(s));
        }
        const std::string output = Decoded(it.key());
        if (!sizeOk || output.empty()) continue;
        earlier_.files[output] = {entry.outputSize, entry.outputSha256};
        if (inputsOk) entries_[output] = std::move(entry);
    }
}

Status ExportManifest::Save() const {
    std::lock_guard guard(lock_);
    QJsonObject outputs;
    for (const auto& [output, entry] : entries_) {
        if (!entry.kept) continue;
        QJsonArray inputs;
        for (const InputStamp& s : entry.inputs) inputs.append(ToJson(s));
        QJsonObject o;
        o["recipe"] = QString::fromStdString(entry.recipe);
        o["size"] = QString::number(entry.outputSize);
        o["sha256"] = QString::fromStdString(entry.outputSha256);
        o["inputs"] = inputs;
        outputs[Encoded(output)] = o;
    }
    QJsonObject root;
    root["format"] = kFormat;
    root["outputs"] = outputs;
    std::error_code ec;
    if (fs::is_symlink(site_ / kFileName, ec)) return Fail("リンクには書きません");
    return WriteFileAtomically(site_ / kFileName, QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString());
}

std::vector<InputStamp> ExportManifest::Stamp(const std::string& output, const std::vector<fs::path>& inputs) const {
    std::vector<InputStamp> recorded;
    {
        std::lock_guard guard(lock_);
        auto it = entries_.find(output);
        if (it != entries_.end()) recorded = it->second.inputs;
    }
    std::vector<InputStamp> stamps;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const fs::path& input = inputs[i];
        InputStamp s;
        // Only names of the folder are recorded: nothing of the machine around it (the record
        // is published with the site), no name that climbs out.
        const fs::path relative = input.lexically_relative(folder_);
        if (relative.empty() || relative.has_root_path() || !StaysInsideFolder(relative) || *relative.begin() == "..")
            continue;
        s.path = relative.generic_string();
        // What the reader would not read is not read here either: a name leading out of the
        // folder counts as missing (a card file leading out is no card of the exported set).
        if (!RealPathInside(folder_, input)) {
            stamps.push_back(std::move(s));
            continue;
        }
        struct stat st {};
        const bool plain = stat(input.c_str(), &st) == 0 && S_ISREG(st.st_mode);
        if (plain) {
            s.exists = true;
            s.size = uint64_t(st.st_size);
            s.mtime = int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
            for (const InputStamp& r : recorded)
                if (r.path == s.path && r.exists && r.size == s.size && r.mtime == s.mtime) s.sha256 = r.sha256;
            if (s.sha256.empty() && s.size <= kMaxHashedBytes) s.sha256 = Sha256Of(input, kMaxHashedBytes);
        }
        stamps.push_back(std::move(s));
    }
    return stamps;
}

bool ExportManifest::UpToDate(const std::string& output, const std::vector<InputStamp>& inputs,
                              const std::string& recipe) {
    std::lock_guard guard(lock_);
    auto it = entries_.find(output);
    if (it == entries_.end()) return false;
    Entry& entry = it->second;
    if (entry.recipe != recipe || entry.inputs.size() != inputs.size()) return false;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const InputStamp &now = inputs[i], &then = entry.inputs[i];
        // Contents decide: a file touched or copied back unchanged is still the same input.
        if (now.path != then.path || now.exists != then.exists) return false;
        if (now.exists && (now.sha256.empty() || now.sha256 != then.sha256)) return false;
    }
    std::error_code ec;
    const fs::path file = site_ / fs::path(output);
    if (fs::is_symlink(file, ec) || !fs::is_regular_file(file, ec) || fs::file_size(file, ec) != entry.outputSize)
        return false;
    entry.inputs = inputs;
    entry.kept = true;
    return true;
}

void ExportManifest::Record(const std::string& output, std::vector<InputStamp> inputs, const std::string& recipe) {
    std::error_code ec;
    const fs::path file = site_ / fs::path(output);
    const auto size = fs::file_size(file, ec);
    const std::string sha256 = ec ? std::string() : Sha256Of(file, size, O_NOFOLLOW);
    std::lock_guard guard(lock_);
    if (ec || sha256.empty()) {
        entries_.erase(output);
        return;
    }
    Entry& entry = entries_[output];
    entry.recipe = recipe;
    entry.outputSize = size;
    entry.outputSha256 = sha256;
    entry.inputs = std::move(inputs);
    entry.kept = true;
}

void ExportManifest::RecordText(const std::string& output, std::string_view bytes) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    std::lock_guard guard(lock_);
    Entry& entry = entries_[output];
    entry.recipe = "text";
    entry.outputSize = bytes.size();
    entry.outputSha256 = hash.result().toHex().toStdString();
    entry.inputs.clear();
    entry.kept = true;
}

void ExportManifest::Carry(const std::string& output) {
    std::lock_guard guard(lock_);
    if (auto it = entries_.find(output); it != entries_.end()) it->second.kept = true;
}

}  // namespace zepo::publish
