#pragma once
// The programs this desktop has installed as its menus and file managers see them: the
// desktop entries (".desktop" files) in the applications folders of the XDG data folders, and
// the program the user chose for a type of file. Everything read here is bounded in size and
// count, and a lookup that hangs is given up after a few seconds.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zepo {

struct DesktopEntry {
    QString id;        // "org.gnome.gedit.desktop"
    QStringList exec;  // the Exec line as words, its field codes ("%f") still in them
    QString tryExec;   // a program that must exist for the entry to count, or empty
    QStringList mimeTypes;
    QStringList categories;
};

// The entry a desktop file's text describes, or nothing when it cannot start a program on its
// own here: not an application, hidden, meant for a terminal, or without a usable Exec line.
std::optional<DesktopEntry> ParseDesktopEntry(const QByteArray& text, const QString& id);

// The words of an Exec value with its quoting undone; empty when the quoting is broken.
QStringList SplitExecLine(const QString& value);

// The words of an Exec line with its field codes filled: %f and %u by the first file, %F and %U
// by every file (a word of its own each), %% by "%"; the others, and a file code without a
// file, are dropped. A program that takes no file is given none.
QStringList ExpandFieldCodes(const QStringList& words, const QStringList& files);

// The usable entries of the applications folders, user's first; an id found twice counts
// where it is found first (a hidden user entry hides the system's).
std::vector<DesktopEntry> InstalledDesktopEntries();

// The entry of the program the desktop opens `mimeType` with (xdg-mime), or nothing.
std::optional<DesktopEntry> DefaultDesktopEntry(const QString& mimeType);

}  // namespace zepo
