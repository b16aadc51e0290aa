#pragma once
// Only one copy of the game runs per user. The guard is a lock file: a local
// server name alone cannot be, since listening on a name that a live server
// holds silently takes it over here. The local socket only carries a later
// start's request that the running copy raise its window.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QWidget;

namespace vemo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // "Vemo" and the user's name, so every user has a copy of his or her own.
    static QString DefaultInstanceName();
    // The user's runtime directory, or the temporary directory without one.
    static QString DefaultLockDirectory();

    explicit SingleInstance(const QString& instanceName = DefaultInstanceName(),
                            const QString& lockDirectory = DefaultLockDirectory(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock (a lock left by a process that has died is removed). The
    // first copy then listens for raise requests. Asking again gives the same
    // answer.
    bool IsFirst();

    // For a later start: asks the running copy to raise its window. True when
    // the running copy received the request within the timeout.
    bool AskFirstToRaise(int timeoutMs = 2000);

    QString LockFilePath() const;
    QString ServerName() const;

signals:
    // A later start asked this copy to show itself.
    void raiseRequested();

private:
    void StartListening();
    void ReadRequest(QLocalSocket* socket);

    QString name_;
    QString directory_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    int answer_ = -1; // -1 not asked yet, 0 second, 1 first
};

// Restores the window when minimised and brings it to the front.
void BringWindowToFront(QWidget* window);

} // namespace vemo
