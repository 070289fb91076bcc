#pragma once
// Text that reaches a terminal can move the cursor, clear the screen, set the title or the
// clipboard, or fake a line of its own. What comes from a file or an argument is shown, not
// obeyed: controls, invalid UTF-8 and the marks that reorder a line are written as \xNN.

#include <string>
#include <string_view>

namespace zepo::cli {

enum class LineBreaks { Escape, Keep };

// `bytes` is UTF-8 where it is valid. Tabs stay; CR and LF stay only when kept.
std::string PrintableOnTerminal(std::string_view bytes, LineBreaks breaks = LineBreaks::Escape);

}  // namespace zepo::cli
