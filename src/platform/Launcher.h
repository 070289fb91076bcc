#pragma once
// Starting other programs and opening documents with the system's program for their type.
// Behind an interface so that tests see what would have been started.

#include <QString>

namespace zepo {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts `program` with the parameter text (split as a shell would split it, quotes
    // honoured) in `workingFolder`. False when it could not be started.
    virtual bool StartProgram(const QString& program, const QString& parameters, const QString& workingFolder) = 0;
    // Opens a file or folder with the program the desktop associates with it.
    virtual bool OpenDocument(const QString& path) = 0;
};

class DesktopLauncher : public Launcher {
public:
    bool StartProgram(const QString& program, const QString& parameters, const QString& workingFolder) override;
    bool OpenDocument(const QString& path) override;
};

}  // namespace zepo
