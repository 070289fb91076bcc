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
    for (const QByteArray& garbage : {QByteArray("hello\n"), QByteArray(3 * kMaxHandOverBytes, 'x'),
                                      QByteArray("ZEPO-OPEN \xff\n")}) {
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

// A user id no account has, for the other user of the machine.
constexpr uid_t kStranger = 54321;

// Runs `work` in a child as the stranger; the child's pid. The child only makes system calls.
template <class Work>
pid_t AsStranger(Work work) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kStranger) != 0 || setuid(kStranger) != 0) _exit(99);
        alarm(20);
        _exit(work());
    }
    return child;
}

int ExitOf(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return address;
}

// Another user of the machine, in the shared temporary folder and with no runtime folder set,
// neither receives the cards a second start hands over nor hands cards to the running editor.
TEST(InstanceChannel, AnotherUserNeitherReceivesNorSendsCards) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as a second user";
    test::App();
    test::TempFolder shared;
    ASSERT_EQ(chmod(shared.path().c_str(), 01777), 0);
    const QByteArray oldTmp = qgetenv("TMPDIR"), oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QByteArray::fromStdString(shared.path().string()));
    qunsetenv("XDG_RUNTIME_DIR");
    // The stranger makes the folder the editor would use first, and listens where it can.
    const std::string planted = (shared.path() / ("zepoed-" + std::to_string(geteuid()))).string();
    const std::string trap = planted + "/trap.socket";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t listener = AsStranger([&] {
        if (mkdir(planted.c_str(), 0777) != 0 || chmod(planted.c_str(), 0777) != 0) return 98;
        const int server = socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = Address(trap);
        if (bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(server, 4) != 0)
            return 97;
        chmod(trap.c_str(), 0777);
        if (write(ready[1], "r", 1) != 1) return 96;
        const int client = accept(server, nullptr, nullptr);
        char buffer[256];
        const ssize_t n = client < 0 ? 0 : read(client, buffer, sizeof buffer);
        return n > 0 ? 1 : 0;  // 1: a card path arrived
    });
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    const std::filesystem::path lock = InstanceLockPath();
    EXPECT_NE(lock.parent_path().string(), planted) << "the editor uses a folder the stranger made";
    if (!lock.empty()) {
        struct stat st {};
        ASSERT_EQ(lstat(lock.parent_path().c_str(), &st), 0);
        EXPECT_TRUE(st.st_uid == geteuid() && (st.st_mode & 077) == 0) << lock;
    }
    EXPECT_FALSE(HandOverToRunningEditor(QString::fromStdString(trap), "/home/me/secret.zep", 1000));
    EXPECT_EQ(ExitOf(listener), 0) << "the stranger received the card";

    // The editor's socket, even where the stranger can reach it, takes no card from them.
    const std::filesystem::path open = shared.path() / "open";
    std::filesystem::create_directory(open);
    chmod(open.c_str(), 0777);
    const QString path = InstanceChannelPath(open / "ZEPO_Editor.lock");
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen(path));
    chmod(path.toStdString().c_str(), 0777);
    QSignalSpy handed(&channel, &InstanceChannel::cardHandedOver);
    const QByteArray message = HandOverMessage("/tmp/planted.zep");
    const pid_t sender = AsStranger([&] {
        const int client = socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = Address(path.toStdString());
        if (connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return 2;
        if (write(client, message.data(), size_t(message.size())) != message.size()) return 3;
        char answer[8];
        return read(client, answer, sizeof answer) > 0 ? 1 : 0;  // 1: the editor answered
    });
    int code = -1;
    QTest::qWaitFor([&] {
        int status = 0;
        if (waitpid(sender, &status, WNOHANG) == sender) code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return code != -1;
    }, 10000);
    EXPECT_EQ(code, 0) << "the editor answered the stranger";
    EXPECT_EQ(handed.size(), 0);
    if (oldTmp.isEmpty()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", oldTmp);
    if (!oldRuntime.isEmpty()) qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

}  // namespace
}  // namespace zepo
