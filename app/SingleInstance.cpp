#include "app/SingleInstance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>

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
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty()) {
        // Shared by every user: the user's number keeps them apart.
        return QDir::tempPath() + "/tavo-receiver-" + QString::number(::getuid()) + '-' +
               displayKey() + suffix;
    }
    return directory + "/tavo-receiver-" + displayKey() + suffix;
}

}  // namespace

SingleInstance::SingleInstance()
    : socketPath_(runtimePath(".socket")), lock_(runtimePath(".lock")) {
    // Stale only when its process is gone, however old the lock is.
    lock_.setStaleLockTime(0);
    if (!lock_.tryLock(0) && lock_.error() != QLockFile::LockFailedError) {
        // A lock that cannot be written must not keep the receiver from running at all.
        log::warning("cannot create ", lock_.fileName().toStdString(),
                     "; not checking for a running receiver");
    }
}

bool SingleInstance::isFirst() const {
    return lock_.isLocked() || lock_.error() != QLockFile::LockFailedError;
}

void SingleInstance::listen(std::function<void()> openPanel) {
    if (!lock_.isLocked()) {
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
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this, openPanel] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, openPanel] {
                if (!socket->canReadLine()) {
                    return;
                }
                if (socket->readLine() == openPanelRequest) {
                    log::detail("a later start asked for the panel");
                    openPanel();
                }
                socket->disconnectFromServer();
            });
        }
    });
}

bool SingleInstance::askFirstToOpenPanel() const {
    // Plain POSIX: Qt's sockets want an event dispatcher, which only the application brings.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(900);
    const auto millisecondsLeft = [&] {
        return static_cast<int>(
            std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                          deadline - std::chrono::steady_clock::now())
                                          .count()));
    };
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath_);
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        return false;
    }
    // The first process may hold the lock and not listen yet: it has only just started.
    while (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (millisecondsLeft() == 0) {
            ::close(socket);
            return false;
        }
        ::poll(nullptr, 0, 20);
    }
    bool answered =
        ::send(socket, openPanelRequest.data(), static_cast<std::size_t>(openPanelRequest.size()),
               MSG_NOSIGNAL) == openPanelRequest.size();
    // The first closes the connection once it has read the request.
    pollfd entry{socket, POLLIN, 0};
    char byte;
    answered =
        answered && ::poll(&entry, 1, millisecondsLeft()) == 1 && ::recv(socket, &byte, 1, 0) == 0;
    ::close(socket);
    return answered;
}

}  // namespace tavo
