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

}  // namespace
}  // namespace zepo
