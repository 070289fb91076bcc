#pragma once
// The option text of a tool entry as the arguments of the program it starts. Option texts
// were written for a system whose programs split their own command line, so they are split
// here the same way, and the placeholders are filled in after splitting: a save folder with
// spaces, quotes or shell characters stays one argument, and no shell ever sees it.

#include <QString>
#include <QStringList>

namespace zepo {

// Every "$D" of the option replaced by the folder and every "$F" by the file; case-sensitive.
// Only the option's own placeholders are replaced, never text inside the folder or file.
QString ExpandToolOption(const QString& option, const QString& folder, const QString& file);

// Splits like the usual command-line parser of that system: blanks separate, double quotes
// group (a doubled quote inside quotes is a literal quote), backslashes are kept except
// before a quote, where 2n backslashes give n and open or close quotes, and 2n + 1 give n
// and a literal quote.
QStringList SplitWindowsCommandLine(const QString& text);

// The option split into arguments, each expanded on its own. A bare word that becomes empty
// by expansion ($F with no file) is left out, as an empty parameter text passes nothing; a
// quoted one ("$F") stays as an empty argument, as "" does.
QStringList ToolArguments(const QString& option, const QString& folder, const QString& file);

}  // namespace zepo
