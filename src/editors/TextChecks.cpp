#include "editors/TextChecks.h"

#include <algorithm>

#include "core/Kanji.h"
#include "core/Moji.h"
#include "core/TextCodec.h"
#include "model/Environment.h"

namespace zepo {

bool RefuseLatin(const std::vector<std::string>& lines, MessageSink& messages) {
    if (std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return IsSingleByteText(l); })) return false;
    messages.Warn(Sjis(LatinRefusalText(lines)));
    return true;
}

bool RefuseVertical(const std::vector<std::string>& lines, int typeface, MessageSink& messages, bool both) {
    bool refused = false;
    if (IsLatin(typeface)) {
        messages.Warn(Sjis("「英字」での「タテ書」はできません"));
        if (!both) return true;
        refused = true;
    }
    if (!std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return IsDoubleByteText(l); })) {
        messages.Warn(Sjis("半角文字が含まれているため\r「タテ書」指定はできません"));
        refused = true;
    }
    return refused;
}

}  // namespace zepo
