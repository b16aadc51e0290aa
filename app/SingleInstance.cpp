#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

namespace vemo {

namespace {

const QByteArray kRaiseRequest = "raise\n";
const QByteArray kAcknowledge = "ok\n";

// File and socket names from the instance name: letters, digits, '-' and '_'.
QString SafeName(const QString& name)
{
    QString safe;
    for (const QChar c : name) safe += (c.isLetterOrNumber() && c.unicode() < 128) || c == '-' || c == '_' ? c : QChar('_');
    return safe.isEmpty() ? QStringLiteral("Vemo") : safe;
}

} // namespace

QString SingleInstance::DefaultInstanceName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("Vemo-") + user;
}

QString SingleInstance::DefaultLockDirectory()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

SingleInstance::SingleInstance(const QString& instanceName, const QString& lockDirectory, QObject* parent)
    : QObject(parent), name_(SafeName(instanceName)), directory_(lockDirectory)
{
}

SingleInstance::~SingleInstance()
{
    if (server_) server_->close();
    // The lock goes with lock_, after the server has stopped listening.
}

QString SingleInstance::LockFilePath() const
{
    return QDir(directory_).filePath(name_ + QStringLiteral(".lock"));
}

QString SingleInstance::ServerName() const
{
    // A full path keeps the socket beside the lock, in the user's own folder.
    return QDir(directory_).filePath(name_ + QStringLiteral(".socket"));
}

bool SingleInstance::IsFirst()
{
    if (answer_ >= 0) return answer_ == 1;
    QDir().mkpath(directory_);
    lock_ = std::make_unique<QLockFile>(LockFilePath());
    // Never stale by age: a game may run for days. A lock whose process has
    // died is stale all the same, and tryLock removes it.
    lock_->setStaleLockTime(0);
    answer_ = lock_->tryLock(0) ? 1 : 0;
    if (answer_ == 1) StartListening();
    return answer_ == 1;
}

void SingleInstance::StartListening()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, no live copy owns the name: whatever is there was left
    // by a copy that died.
    QLocalServer::removeServer(ServerName());
    if (!server_->listen(ServerName())) return; // still the only copy; it just cannot be raised
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
            if (socket->bytesAvailable() > 0) ReadRequest(socket);
        }
    });
}

void SingleInstance::ReadRequest(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        if (socket->readLine() == kRaiseRequest) {
            socket->write(kAcknowledge);
            socket->flush();
            emit raiseRequested();
        }
    }
}

bool SingleInstance::AskFirstToRaise(int timeoutMs)
{
    // The first copy may hold the lock a moment before it listens, so the
    // connection is tried again until the time is up.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(ServerName());
        if (socket.waitForConnected(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) break;
        socket.abort();
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
            return false;
    }
    const bool acknowledged = socket.readLine() == kAcknowledge;
    socket.disconnectFromServer();
    return acknowledged;
}

void BringWindowToFront(QWidget* window)
{
    if (!window) return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace vemo
