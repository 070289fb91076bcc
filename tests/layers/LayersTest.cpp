// The folders of src/ are layers: a file includes only from its own folder and the folders
// below it. This reads every #include "…" of the sources and names each one that runs upward.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bottom up. cli sits beside shell, media beside imaging: neither of a pair includes the other.
const std::vector<std::vector<std::string>> kLayers = {
    {"core"},    {"model"},   {"imaging", "media"}, {"platform"}, {"document"},     {"render"},
    {"publish"}, {"dialogs"}, {"editors"},          {"canvas"},   {"shell", "cli"},
};

int LayerOf(const std::string& folder) {
    for (size_t i = 0; i < kLayers.size(); ++i)
        if (std::find(kLayers[i].begin(), kLayers[i].end(), folder) != kLayers[i].end()) return int(i);
    return -1;
}

struct Include {
    std::string file, target;
};

std::vector<Include> IncludesUnder(const fs::path& src) {
    std::vector<Include> found;
    const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        std::smatch m;
        while (std::getline(in, line))
            if (std::regex_search(line, m, quoted))
                found.push_back({fs::relative(entry.path(), src).string(), m[1].str()});
    }
    return found;
}

TEST(Layers, EveryFolderIsALayerAndNoIncludeRunsUpward) {
    const fs::path src = fs::path(ZEPO_SOURCE_DIR) / "src";
    for (const auto& entry : fs::directory_iterator(src)) {
        if (entry.is_directory()) {
            EXPECT_GE(LayerOf(entry.path().filename().string()), 0)
                << entry.path().filename() << " is not in the list of layers";
        }
    }

    const std::vector<Include> includes = IncludesUnder(src);
    ASSERT_GT(includes.size(), 100u) << "the sources were not found";
    for (const Include& inc : includes) {
        const std::string from = inc.file.substr(0, inc.file.find('/'));
        const auto slash = inc.target.find('/');
        ASSERT_NE(slash, std::string::npos) << inc.file << " includes \"" << inc.target << "\" without its folder";
        const std::string to = inc.target.substr(0, slash);
        if (to == from) continue;
        const int a = LayerOf(from), b = LayerOf(to);
        EXPECT_GE(b, 0) << inc.file << " includes \"" << inc.target << "\" from an unknown folder";
        EXPECT_LT(b, a) << inc.file << " (" << from << ") includes \"" << inc.target << "\" from the layer " << to
                        << ", which is not below it";
    }
}

}  // namespace
