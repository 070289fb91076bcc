// The socket a second start hands its card over on: only whole, well-formed lines count.

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <optional>
#include <thread>

#include "ShellFakes.h"
#include "TempFolder.h"
#include "platform/InstanceChannel.h"
#include "platform/SingleInstance.h"

#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zepo {
namespace {

TEST(InstanceChannel, OnlyAWellFormedLineNamesACard) {
    const std::vector<std::pair<QByteArray, std::optional<QString>>> cases = {
        {"ZEPO-OPEN /m/カード/a b.zep", QString("/m/カード/a b.zep")},
        {"ZEPO-OPEN ", QString()},
        {"ZEPO-OPEN a.zep", std::nullopt},  // relative to what?
        {"zepo-open /a.zep", std::nullopt},
        {"GET / HTTP/1.0", std::nullopt},
        {QByteArray("ZEPO-OPEN /a\0b.zep", 18), std::nullopt},
        {"ZEPO-OPEN /a\rb.zep", std::nullopt},
        {"ZEPO-OPEN /\xff\xfe.zep", std::nullopt},
        {"ZEPO-OPEN /" + QByteArray(kMaxHandOverBytes, 'a'), std::nullopt},
    };
    for (const auto& [line, card] : cases) EXPECT_EQ(ReadHandOverMessage(line), card) << line.left(40).toStdString();
    EXPECT_EQ(ReadHandOverMessage(HandOverMessage("/x/y.zep").chopped(1)), QString("/x/y.zep"));
}

TEST(InstanceChannel, GarbageIsDroppedUnansweredAndTheNextCardStillArrives) {
    test::App();
    test::TempFolder runtime;
    const QString path = InstanceChannelPath(runtime.path() / "ZEPO_Editor.lock");
    EXPECT_EQ(path.toStdString(), (runtime.path() / "ZEPO_Editor.socket").string());
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen(path));
    QSignalSpy handed(&channel, &InstanceChannel::cardHandedOver);
    for (const QByteArray& garbage :
         {QByteArray("hello\n"), QByteArray(3 * kMaxHandOverBytes, 'x'), QByteArray("ZEPO-OPEN \xff\n")}) {
        QLocalSocket client;
        client.connectToServer(path);
        ASSERT_TRUE(client.waitForConnected(2000));
        client.write(garbage);
        EXPECT_TRUE(QTest::qWaitFor([&] { return client.state() == QLocalSocket::UnconnectedState; }, 3000))
            << "the editor hangs up on " << garbage.left(20).toStdString();
        EXPECT_EQ(client.readAll(), QByteArray()) << "and answers nothing";
    }
    // The second start blocks while it waits for the answer; the first answers from its event loop.
    std::atomic<int> result = -1;
    std::thread second([&] { result = HandOverToRunningEditor(path, "/cards/a.zep", 2000) ? 1 : 0; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return result != -1; }, 10000));
    second.join();
    EXPECT_EQ(result, 1);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0][0].toString(), "/cards/a.zep");
    // A stale socket of an editor that died is replaced by the next one that listens.
    InstanceChannel next;
    EXPECT_TRUE(next.Listen(path));
}

// Runs `work` in a child as a user id no account has; the child only makes system calls.
template <class Work>
pid_t AsStranger(Work work) {
    const pid_t child = fork();
    if (child == 0) _exit(setgroups(0, nullptr) || setgid(54321) || setuid(54321) ? 99 : (alarm(20), work()));
    return child;
}

int Socket(const std::string& path, bool serve) {
    sockaddr_un address{AF_UNIX, {}};
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const auto* a = reinterpret_cast<const sockaddr*>(&address);
    return (serve ? bind(fd, a, sizeof address) || listen(fd, 4) || chmod(path.c_str(), 0777)
                  : connect(fd, a, sizeof address))
               ? -1
               : fd;
}

// Another user of the machine, in the shared temporary folder and with no runtime folder set,
// neither receives the cards a second start hands over nor hands cards to the running editor.
TEST(InstanceChannel, AnotherUserNeitherReceivesNorSendsCards) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as a second user";
    test::App();
    test::TempFolder shared;
    ASSERT_EQ(chmod(shared.path().c_str(), 01777), 0);
    qputenv("TMPDIR", QByteArray::fromStdString(shared.path().string()));
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    // The stranger makes the folder the editor would use first, and listens where it can.
    const std::string planted = (shared.path() / ("zepoed-" + std::to_string(geteuid()))).string();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t listener = AsStranger([&] {
        const int server =
            mkdir(planted.c_str(), 0777) || chmod(planted.c_str(), 0777) ? -1 : Socket(planted + "/s", true);
        char buffer[256];
        const int client = server < 0 || write(ready[1], "r", 1) != 1 ? -1 : accept(server, nullptr, nullptr);
        return client < 0 ? 2 : read(client, buffer, sizeof buffer) > 0;  // 1: a card path arrived
    });
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    const std::filesystem::path lock = InstanceLockPath();
    struct stat st {};
    EXPECT_TRUE(lock.empty() ||
                (lstat(lock.parent_path().c_str(), &st) == 0 && st.st_uid == geteuid() && (st.st_mode & 077) == 0))
        << lock;
    EXPECT_FALSE(HandOverToRunningEditor(QString::fromStdString(planted + "/s"), "/home/me/secret.zep", 1000));
    int status = 0;
    waitpid(listener, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the stranger received the card";
    // The editor's socket, even where the stranger can reach it, takes no card from them.
    const QString path = InstanceChannelPath(shared.path() / "ZEPO_Editor.lock");
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen(path));
    chmod(path.toStdString().c_str(), 0777);
    QSignalSpy handed(&channel, &InstanceChannel::cardHandedOver);
    const QByteArray message = HandOverMessage("/tmp/planted.zep");
    const pid_t sender = AsStranger([&] {
        const int client = Socket(path.toStdString(), false);
        char answer[8];
        return client < 0 || write(client, message.data(), size_t(message.size())) != message.size()
                   ? 2
                   : read(client, answer, sizeof answer) > 0;  // 1: the editor answered
    });
    QTest::qWaitFor([&] { return waitpid(sender, &status, WNOHANG) == sender; }, 10000);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the editor answered the stranger";
    EXPECT_EQ(handed.size(), 0);
    qunsetenv("TMPDIR");
    if (!runtime.isEmpty()) qputenv("XDG_RUNTIME_DIR", runtime);
}

}  // namespace
}  // namespace zepo
