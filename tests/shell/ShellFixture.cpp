#include "ShellFixture.h"

#include <cstdlib>
#include <iterator>

#include "platform/Fonts.h"

namespace zepo::test {

QApplication& App() {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        RegisterFontSubstitutes();
        return a;
    }();
    return *app;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zepo-shell-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ShellTest::Start(std::vector<std::string> arguments) {
    App();
    startFolder = std::filesystem::current_path();
    runner.log = &log;
    chooser.log = &log;
    services = std::make_unique<ShellServices>(
        ShellServices{prompts, runner, chooser, launcher, scheduler, program(), std::move(arguments), QSize(800, 600)});
    windows = std::make_unique<EditorWindows>(*services);
}

void ShellTest::TearDown() {
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
