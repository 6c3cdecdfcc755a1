#include "shell/RunningCopy.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "ui/WindowKit.h"

namespace lumaro {
namespace {

constexpr QByteArrayView Request = "come forward\n";
constexpr QByteArrayView Answer = "ok\n";
// A copy that holds the lock may still be starting (or ending after a first run's
// restart): keep trying that long before taking its place or giving up.
constexpr int HandOverMs = 20000;

QString RuntimeFolder() {
    // $XDG_RUNTIME_DIR, or a folder of the user's that Qt makes private.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

}  // namespace

QString RunningCopy::KeyFor(const std::string& settingsFile, const std::string& machineFile) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QDir::homePath().toUtf8());  // the user
    for (const std::string& file : {settingsFile, machineFile}) {
        // The same file however its path is written (a link, "..", a relative path).
        const QFileInfo info(ui::Q(file));
        const QString canonical = info.canonicalFilePath();
        hash.addData(QByteArray(1, '\0') + (canonical.isEmpty() ? info.absoluteFilePath() : canonical).toUtf8());
    }
    return QStringLiteral("lumaro-") + QString::fromLatin1(hash.result().toHex().left(24));
}

QString RunningCopy::DataFolderFor(const QString& key, bool installed) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return installed ? data : data + QStringLiteral("/program-") + key.section(u'-', 1);
}

RunningCopy::RunningCopy(const QString& key, QObject* parent)
    : QObject(parent),
      socketPath_(RuntimeFolder() + u'/' + key + QStringLiteral(".socket")),
      lock_(RuntimeFolder() + u'/' + key + QStringLiteral(".lock")) {
    lock_.setStaleLockTime(0);  // stale only when its process is gone, however long it has run
}

RunningCopy::~RunningCopy() = default;

bool RunningCopy::HandOver(std::function<void()> comeForward) {
    QDir().mkpath(RuntimeFolder());
    const QDeadlineTimer deadline(HandOverMs);
    while (!lock_.tryLock(100)) {
        if (lock_.error() != QLockFile::LockFailedError) break;  // no lock to be had: run alone
        if (AskToComeForward()) return true;
        if (deadline.hasExpired()) return true;  // a copy holds it but does not answer: no second window
    }
    comeForward_ = std::move(comeForward);
    Listen();
    return false;
}

bool RunningCopy::AskToComeForward() {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(1000)) return false;
    socket.write(Request.data(), Request.size());
    if (!socket.waitForBytesWritten(5000)) return false;
    QByteArray reply;
    while (!reply.endsWith(Answer.data()) && socket.waitForReadyRead(5000)) reply += socket.readAll();
    return reply.endsWith(Answer.data());
}

void RunningCopy::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath_);  // left by a copy that did not end cleanly: the lock is ours now
    server_->listen(socketPath_);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received = QByteArray()]() mutable {
                received += socket->readAll();
                if (!received.endsWith(Request.data())) return;
                if (comeForward_) comeForward_();
                socket->write(Answer.data(), Answer.size());
                socket->disconnectFromServer();
            });
        }
    });
}

}  // namespace lumaro
