#pragma once
// What zepocard prints comes partly from strangers: texts of cards and names of files. On a
// terminal a control character is a command (clear the screen, write the clipboard) and a
// line break starts a line that looks like a finding; here they become visible escapes.

#include <string>
#include <string_view>

namespace zepo::publish {

// The text with every control character (C0, DEL, C1), every byte that is no UTF-8 and the
// marks that reorder or break a shown line (U+2028, U+2029, the bidirectional controls)
// written as "\x1B" or "\u202E". Everything else, "\" included, passes unchanged.
// `keepLayout`: tabs and line breaks stay (a whole card shown as text).
std::string Printable(std::string_view utf8, bool keepLayout = false);

// A file system name as text: UTF-8 as it is, one left in raw Shift-JIS (an archive from the
// old system) converted, any other byte that is no UTF-8 as U+FFFD. Always valid UTF-8.
std::string ShownName(std::string_view bytes);

}  // namespace zepo::publish
