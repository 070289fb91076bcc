// The movie dialog's player over the real media backend: choosing a file opens nothing; Play
// opens a short movie made by ffmpeg, a text file named .avi gives the message, and OK stays
// enabled for both.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>

#include <cstdlib>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "dialogs/FileList.h"
#include "dialogs/Movie2Dialog.h"
#include "dialogs/MoviePlayer.h"

namespace zepo {
namespace {
using namespace test;

constexpr int kAnswerMs = 20000;  // a bound for a loaded machine, not a pause: the wait ends at the answer

class MoviePlayback : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed: no movie to play";
        App();
        const std::string movie = (folder.path() / "Clip.AVI").string();
        const std::string make =
            "ffmpeg -v error -y -f lavfi -i testsrc=size=64x48:rate=10 -t 1 -c:v mjpeg '" + movie + "'";
        ASSERT_EQ(std::system(make.c_str()), 0);
        WriteBytes(folder.path() / "note.avi", "This is a text file, not a movie.\n");
        dialog = std::make_unique<Movie2Dialog>(prompts);
    }
    // Whether the player answered the opening of `name` with success; no answer fails the test.
    bool Opens(const std::function<void()>& open) {
        QSignalSpy opened(&dialog->player(), &MoviePlayer::opened);
        QSignalSpy failed(&dialog->player(), &MoviePlayer::openFailed);
        QEventLoop loop;
        QObject::connect(&dialog->player(), &MoviePlayer::opened, &loop, &QEventLoop::quit);
        QObject::connect(&dialog->player(), &MoviePlayer::openFailed, &loop, &QEventLoop::quit);
        QTimer::singleShot(kAnswerMs, &loop, &QEventLoop::quit);
        open();
        if (opened.isEmpty() && failed.isEmpty()) loop.exec();
        EXPECT_EQ(opened.count() + failed.count(), 1) << "one answer for each opening";
        return !opened.isEmpty();
    }

    TempFolder folder;
    RecordingPrompts prompts;
    std::unique_ptr<Movie2Dialog> dialog;
};

TEST_F(MoviePlayback, ChoosingOpensNothingAndPlayTellsOfAFileThatCannotBePlayed) {
    Movie2Settings chosen;
    chosen.inUse = true;
    chosen.movieFile = "Clip.AVI";
    dialog->Load(chosen, folder.path());
    auto& files = Child<FileList>(*dialog, "FileList");
    EXPECT_EQ(files.count(), 2) << "*.avi matches without regard to case";
    EXPECT_EQ(files.SelectedFile(), "Clip.AVI");
    EXPECT_TRUE(dialog->player().isEnabled());

    // Play opens the movie before it plays.
    EXPECT_TRUE(Opens([&] { Child<QPushButton>(dialog->player(), "btnPlay").click(); }));

    // Choosing a file the backend cannot read says nothing; Play does.
    files.setCurrentItem(files.findItems("note.avi", Qt::MatchExactly).front());
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompts.events.empty());
    EXPECT_FALSE(Opens([&] { Child<QPushButton>(dialog->player(), "btnPlay").click(); }));
    EXPECT_EQ(prompts.events, (std::vector<std::string>{"beep!", "show:再生する機能がありません"}));
    EXPECT_FALSE(dialog->player().isEnabled());
    EXPECT_TRUE(Child<QPushButton>(*dialog, "OKBtn").isEnabled());
    const Result<Movie2Settings> read = dialog->Read();
    ASSERT_TRUE(read);
    EXPECT_EQ(read.value().movieFile, (folder.path() / "note.avi").string());
}

}  // namespace
}  // namespace zepo
