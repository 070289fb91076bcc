#include "ShellFixture.h"

#include <cstdlib>
#include <iterator>

namespace zepo::test {

void ShellTest::Start(std::vector<std::string> arguments) {
    App();
    startFolder = std::filesystem::current_path();
    runner.log = &log;
    chooser.log = &log;
    services = std::make_unique<ShellServices>(
        ShellServices{boxes ? *boxes : static_cast<Prompts&>(prompts), runner, chooser, launcher, scheduler, program(),
                      std::move(arguments), screen, helpFile, helpCollection,
                      UserPlaces{userSettingsFile(), recoveryFolder(), home.empty() ? program() : home}});
    controls.reset();
    windows = std::make_unique<EditorWindows>(*services);
}

void ShellTest::TearDown() {
    controls.reset();
    windows.reset();
    std::error_code ec;
    if (!startFolder.empty()) std::filesystem::current_path(startFolder, ec);
}

std::vector<std::string> ShellTest::TakeEvents() {
    std::vector<std::string> e = std::move(prompts.events);
    prompts.events.clear();
    return e;
}

}  // namespace zepo::test
