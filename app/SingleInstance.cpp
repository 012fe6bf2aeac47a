#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "platform/Log.h"

namespace tavo {
namespace {

constexpr QByteArrayView openPanelRequest = "open-panel\n";

// The file name part that tells this user's sessions apart: the displays the process talks to.
QString displayKey() {
    QString key = qEnvironmentVariable("DISPLAY") + '_' + qEnvironmentVariable("WAYLAND_DISPLAY");
    for (QChar& c : key) {
        if (!c.isLetterOrNumber() && c != '.' && c != '-') {
            c = '_';
        }
    }
    return key;
}

QString runtimePath(const QString& suffix) {
    // Private to the user (mode 0700), and emptied at logout.
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty()) {
        directory = QDir::tempPath();
    }
    return directory + "/tavo-receiver-" + displayKey() + suffix;
}

}  // namespace

SingleInstance::SingleInstance()
    : socketPath_(runtimePath(".socket")), lock_(runtimePath(".lock")) {
    // Stale only when its process is gone, however old the lock is.
    lock_.setStaleLockTime(0);
    if (!lock_.tryLock(0)) {
        return;
    }
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a crashed first process would make listen() fail.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_)) {
        log::warning("cannot listen for later starts on ", socketPath_.toStdString(), ": ",
                     server_->errorString().toStdString());
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine()) {
                    return;
                }
                if (socket->readLine() == openPanelRequest && openPanel_) {
                    log::detail("a later start asked for the panel");
                    openPanel_();
                }
                socket->disconnectFromServer();
            });
        }
    });
}

void SingleInstance::onOpenPanel(std::function<void()> openPanel) {
    openPanel_ = std::move(openPanel);
}

bool SingleInstance::askFirstToOpenPanel() const {
    const QDeadlineTimer deadline(900);
    QLocalSocket socket;
    // The first process may hold the lock and not listen yet: it has only just started.
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
    socket.write(openPanelRequest.data(), openPanelRequest.size());
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
        return false;
    }
    // The first closes the connection once it has read the request.
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(static_cast<int>(deadline.remainingTime()));
}

}  // namespace tavo
