#pragma once
// Records what the editor would have started instead of starting it.

#include <string>
#include <vector>

#include "platform/Launcher.h"

namespace zepo::test {

struct RecordingLauncher : Launcher {
    std::vector<std::string> started;  // "program|parameters|folder" or "open|path"
    bool StartProgram(const QString& program, const QString& parameters, const QString& folder) override {
        started.push_back((program + "|" + parameters + "|" + folder).toStdString());
        return true;
    }
    bool OpenDocument(const QString& path) override {
        started.push_back(("open|" + path).toStdString());
        return true;
    }
};

}  // namespace zepo::test
