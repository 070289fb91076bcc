#include "publish/CardLinks.h"

#include <system_error>

#include "core/Moji.h"
#include "model/MacroReader.h"
#include "platform/CardFilesOnDisk.h"

namespace zepo::publish {
namespace fs = std::filesystem;

AssociationTarget TargetOf(const Association& a) {
    const AssociationKind kind = a.kind();
    if (kind != AssociationKind::Card && !a.isMedium()) return {};
    if (a.isMedium()) {
        // An empty file is the stop form of the medium.
        if (a.file.empty()) return {};
        return {AssociationTarget::Medium, a.file};
    }
    return {AssociationTarget::Card, a.file.empty() ? a.name + ".zep" : a.file};
}

namespace {

class LinkWalker {
public:
    explicit LinkWalker(const std::vector<std::string>& lines) : lines_(lines) {}

    std::vector<CardLink> Run() {
        bool opened = false;
        for (index_ = 0; index_ < lines_.size(); ++index_) {
            const std::string& line = lines_[index_];
            if (line.rfind("ZEPO:", 0) == 0) continue;
            ParsedLine p = ParseMacroLine(line);
            if (p.comment || p.keyword.empty()) continue;
            if (!opened) {
                opened = p.keyword == "card";
                continue;
            }
            if (p.keyword == "end") break;
            Statement(p);
        }
        return std::move(links_);
    }

private:
    void Statement(const ParsedLine& p) {
        const std::string& k = p.keyword;
        if (k == "text" || k == "text2" || k == "frame") Associate(p.arg4, p.arg4Rest, LinkVia::Object);
        else if (k == "bitmap") {
            Add(LinkKind::Picture, p.arg2);
            Associate(p.arg4, p.arg4Rest, LinkVia::Object);
        } else if (k == "textf" || k == "textf2") Add(LinkKind::TextFile, CutBytes(p.arg2, kShortTextBytes));
        else if (k == "button") {
            if (p.arg1.size() == 1 && p.arg1[0] >= '0' && p.arg1[0] <= '5')
                Associate(p.arg2, p.arg2Rest, LinkVia::Button);
        } else if (k == "wave" || k == "midi" || k == "avi")
            Associate(k == "wave" ? "WAVE" : k == "midi" ? "MIDI" : "AVI", p.arg1, LinkVia::Feature);
        else if (k == "avi2") Add(LinkKind::Movie, p.arg1, LinkVia::Feature);
        else if (k == "@slide") Slide();
    }

    void Associate(std::string_view name, std::string_view file, LinkVia via) {
        Association a;
        a.Set(name, file);
        AssociationTarget t = TargetOf(a);
        if (t.kind == AssociationTarget::Card) Add(LinkKind::Card, t.file, via);
        else if (t.kind == AssociationTarget::Medium) Add(LinkKind::Medium, t.file, via);
    }

    void Slide() {
        int entries = 0;
        while (entries < kSlideListMax && index_ + 1 < lines_.size()) {
            ++index_;
            if (ParseMacroLine(lines_[index_]).keyword == "@end") return;
            ParsedLine entry = ParseMacroLine("tmp " + lines_[index_]);
            if (entry.arg1Rest.find(".zep") == std::string::npos) continue;
            Add(LinkKind::Card, entry.arg1Rest, LinkVia::Slide);
            ++entries;
        }
    }

    void Add(LinkKind kind, std::string target, LinkVia via = LinkVia::File) {
        if (!target.empty()) links_.push_back({static_cast<int>(index_ + 1), kind, std::move(target), via});
    }

    const std::vector<std::string>& lines_;
    size_t index_ = 0;
    std::vector<CardLink> links_;
};

}  // namespace

std::vector<CardLink> FindCardLinks(const std::vector<std::string>& lines) { return LinkWalker(lines).Run(); }

FolderFile LookUpInFolder(const fs::path& folder, std::string_view sjisName) {
    std::error_code ec;
    const fs::path base = fs::canonical(folder, ec);
    if (ec) return {};
    // The rule every reader of a card's names follows, so that what is called outside here
    // is exactly what rendering, export and the editor leave unread.
    const fs::path real = ResolveInFolder(base, sjisName);
    if (real.empty()) return {Lookup::Outside, {}};
    if (!fs::exists(real, ec)) return {Lookup::Missing, {}};
    if (!fs::is_regular_file(real, ec)) return {Lookup::NotPlainFile, {}};
    return {Lookup::Found, real};
}

FolderFile FolderLookups::Find(const fs::path& folder, std::string_view sjisName) {
    auto key = std::make_pair(folder, std::string(sjisName));
    {
        std::lock_guard guard(lock_);
        if (auto known = found_.find(key); known != found_.end()) return known->second;
    }
    FolderFile found = LookUpInFolder(folder, sjisName);
    std::lock_guard guard(lock_);
    return found_.emplace(std::move(key), std::move(found)).first->second;
}

}  // namespace zepo::publish
