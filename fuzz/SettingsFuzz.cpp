// Any bytes as ZEPOED.INI: the settings read from it, written back by the tool settings
// dialog's save and read again, must be the settings first read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/ProfileFile.h"
#include "platform/Settings.h"

namespace {

bool SameSettings(const zepo::ShellSettings& a, const zepo::ShellSettings& b) {
    for (int i = 0; i < zepo::kToolCount; ++i)
        if (a.tools[i].name != b.tools[i].name || a.tools[i].exe != b.tools[i].exe ||
            a.tools[i].option != b.tools[i].option)
            return false;
    return a.useTools == b.useTools && a.auto256Color == b.auto256Color;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zepo;
    using namespace zepo::fuzz;
    ProfileFile profile = ProfileFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const ShellSettings read = ReadSettings(profile);
    WriteSettings(profile, read);
    const ShellSettings again = ReadSettings(ProfileFile::FromBytes(profile.ToBytes()));
    Require(SameSettings(read, again), "settings written back read as other settings");
    return 0;
}
