#pragma once
// How a second start of the editor hands its card to the one already running: a local
// socket beside the instance lock. The running editor listens; a second start connects,
// sends the card's absolute path (or nothing, to be brought to the front) and waits for the
// answer. A message is one line of at most kMaxHandOverBytes in a fixed form; anything else
// that arrives on the socket is dropped without an answer.

#include <QObject>
#include <QString>
#include <filesystem>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace zepo {

inline constexpr int kMaxHandOverBytes = 8192;

// The socket's path: the lock's, with ".socket" for ".lock".
QString InstanceChannelPath(const std::filesystem::path& lockFile);

// The line a second start sends for `card` (absolute, or empty for none).
QByteArray HandOverMessage(const QString& card);
// The card of one received line (without its newline): empty for "no card", nothing for a
// line that is not a hand-over message or names no absolute path.
std::optional<QString> ReadHandOverMessage(const QByteArray& line);

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Listens at `path`. Only the holder of the instance lock calls this, so a socket file
    // already there is a dead editor's and is removed first. False when it cannot listen.
    bool Listen(const QString& path);

signals:
    // A second start asked for `card` (empty: only for the editor to come to the front).
    void cardHandedOver(const QString& card);

private:
    void Accept();

    QLocalServer* server_;
};

// Sends `card` to the editor listening at `path`, trying again for up to `waitMs` while
// the editor is still starting; true when it answered that it took the card.
bool HandOverToRunningEditor(const QString& path, const QString& card, int waitMs);

}  // namespace zepo
