#include "shell/Switches.h"
#include "core/Ascii.h"

#include <system_error>

namespace zepo {

Switches ParseSwitches(const std::vector<std::string>& arguments) {
    Switches s;
    for (const std::string& original : arguments) {
        const std::string arg = AsciiLower(original);
        if (arg == "/c") {
            s.currentFolderAsSaveFolder = true;
        } else if (arg == "/a") {
            s.writeSettings = true;
        } else if (s.card.empty() && arg.size() > 4 && arg.compare(arg.size() - 4, 4, ".zep") == 0) {
            // Taken as given (case and all), relative to where the editor was started.
            std::error_code ec;
            s.card = std::filesystem::absolute(original, ec);
            if (ec) s.card.clear();
        }
    }
    return s;
}

}  // namespace zepo
