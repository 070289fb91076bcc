#include "platform/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

namespace zepo {
namespace {

constexpr char kMagic[] = "ZEPO-OPEN ";
constexpr char kAnswer[] = "OK\n";
// A client that neither finishes its line nor goes away is dropped after this.
constexpr int kClientMs = 2000;

// Whether the process at the other end of a connected local socket runs as this user: the
// socket's folder is private, and this holds even should someone else reach it.
bool PeerIsThisUser(qintptr socket) {
    ucred peer{};
    socklen_t length = sizeof peer;
    return socket >= 0 && getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           length == sizeof peer && peer.uid == geteuid();
}

}  // namespace

QString InstanceChannelPath(const std::filesystem::path& lockFile) {
    if (lockFile.empty()) return {};
    std::filesystem::path socket = lockFile;
    socket.replace_extension(".socket");
    return QString::fromStdString(socket.string());
}

QByteArray HandOverMessage(const QString& card) { return QByteArray(kMagic) + card.toUtf8() + '\n'; }

std::optional<QString> ReadHandOverMessage(const QByteArray& line) {
    if (line.size() > kMaxHandOverBytes || !line.startsWith(kMagic)) return std::nullopt;
    const QByteArray bytes = line.mid(int(sizeof kMagic) - 1);
    if (bytes.contains('\0') || bytes.contains('\n') || bytes.contains('\r')) return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString card = utf8(bytes);
    if (utf8.hasError()) return std::nullopt;
    if (!card.isEmpty() && !card.startsWith('/')) return std::nullopt;
    return card;
}

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::Listen(const QString& path) {
    if (path.isEmpty()) return false;
    QLocalServer::removeServer(path);
    return server_->listen(path);
}

void InstanceChannel::Accept() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        if (!PeerIsThisUser(client->socketDescriptor())) {
            client->abort();
            client->deleteLater();
            continue;
        }
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        auto* deadline = new QTimer(client);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, client, &QLocalSocket::abort);
        deadline->start(kClientMs);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) {
                // A line longer than any message is not one: no need to read it all.
                if (client->bytesAvailable() > kMaxHandOverBytes) client->abort();
                return;
            }
            const QByteArray line = client->readLine(kMaxHandOverBytes + 2).chopped(1);
            const std::optional<QString> card = ReadHandOverMessage(line);
            if (!card) {
                client->abort();
                return;
            }
            client->write(kAnswer);
            client->flush();
            client->disconnectFromServer();
            emit cardHandedOver(*card);
        });
    }
}

bool HandOverToRunningEditor(const QString& path, const QString& card, int waitMs) {
    const QByteArray message = HandOverMessage(card);
    if (message.size() > kMaxHandOverBytes || path.isEmpty()) return false;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(500)) {
            // A card path goes to this user's own editor only.
            if (!PeerIsThisUser(socket.socketDescriptor())) return false;
            socket.write(message);
            if (!socket.waitForBytesWritten(kClientMs)) return false;
            QByteArray answer;
            QDeadlineTimer deadline(kClientMs);
            while (!answer.contains('\n') && socket.waitForReadyRead(int(deadline.remainingTime())))
                answer += socket.read(16);
            return answer.startsWith(kAnswer);
        }
        // The running editor holds the lock before it listens: wait for it a little.
        if (clock.elapsed() >= waitMs) return false;
        QThread::msleep(100);
    }
}

}  // namespace zepo
