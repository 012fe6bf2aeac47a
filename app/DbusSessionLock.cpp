#include "app/DbusSessionLock.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QFileInfo>

#include "platform/Log.h"

namespace tavo {
namespace {

const QString login1 = QStringLiteral("org.freedesktop.login1");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString screenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");

// Runs `then` with the call's reply once it has come, on the context's thread.
template <typename Reply, typename Then>
void whenAnswered(QObject* context, const QDBusPendingCall& call, Then then) {
    auto* watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, then = std::move(then)] {
                         watcher->deleteLater();
                         then(Reply(*watcher));
                     });
}

void sayNothingTells() {
    log::detail("neither logind nor a screen saver says when the screen is locked");
}

// Where the session has no bus, libdbus would start one of its own (dbus-launch) that outlives us.
bool hasSessionBus() {
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
           QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")).exists();
}

}  // namespace

DbusSessionLock::DbusSessionLock() : system_(QDBusConnection::systemBus()) {
    if (!system_.isConnected()) {
        followScreenSaver();
        return;
    }
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    // "auto" is the session this process belongs to, or else the user's graphical session:
    // programs that the user's service manager starts belong to none.
    QDBusMessage getSession = QDBusMessage::createMethodCall(
        login1, QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSession"));
    getSession << (id.isEmpty() ? QStringLiteral("auto") : id);
    whenAnswered<QDBusPendingReply<QDBusObjectPath>>(
        this, system_.asyncCall(getSession),
        [this](const QDBusPendingReply<QDBusObjectPath>& path) {
            if (path.isError()) {
                followScreenSaver();
            } else {
                followLoginSession(path.value().path());
            }
        });
}

void DbusSessionLock::setOnChange(std::function<void(bool)> onChange) {
    onChange_ = std::move(onChange);
}

void DbusSessionLock::followLoginSession(const QString& path) {
    const auto changedSlot = SLOT(sessionPropertiesChanged(QString, QVariantMap, QStringList));
    // Subscribed before asking, so that no change falls in between.
    system_.connect(login1, path, properties, QStringLiteral("PropertiesChanged"), this,
                    changedSlot);
    QDBusMessage get = QDBusMessage::createMethodCall(login1, path, properties, "Get");
    get << sessionInterface << QStringLiteral("LockedHint");
    whenAnswered<QDBusPendingReply<QDBusVariant>>(
        this, system_.asyncCall(get),
        [this, path, changedSlot](const QDBusPendingReply<QDBusVariant>& lockedHint) {
            if (lockedHint.isError()) {
                system_.disconnect(login1, path, properties, QStringLiteral("PropertiesChanged"),
                                   this, changedSlot);
                followScreenSaver();
                return;
            }
            log::detail("following the lock of login session ", path.toStdString());
            update(lockedHint.value().variant().toBool());
        });
}

void DbusSessionLock::followScreenSaver() {
    if (!hasSessionBus()) {
        sayNothingTells();
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        sayNothingTells();
        return;
    }
    const auto changedSlot = SLOT(screenSaverActiveChanged(bool));
    bus.connect(screenSaver, screenSaverPath, screenSaver, QStringLiteral("ActiveChanged"), this,
                changedSlot);
    QDBusMessage get = QDBusMessage::createMethodCall(screenSaver, screenSaverPath, screenSaver,
                                                      QStringLiteral("GetActive"));
    // Asking must not start a screen saver.
    get.setAutoStartService(false);
    whenAnswered<QDBusPendingReply<bool>>(
        this, bus.asyncCall(get), [this, changedSlot](const QDBusPendingReply<bool>& active) {
            if (active.isError()) {
                QDBusConnection::sessionBus().disconnect(screenSaver, screenSaverPath, screenSaver,
                                                         QStringLiteral("ActiveChanged"), this,
                                                         changedSlot);
                sayNothingTells();
                return;
            }
            log::detail("following the screen saver's lock");
            update(active.value());
        });
}

void DbusSessionLock::sessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                               const QStringList&) {
    const auto lockedHint = changed.find(QStringLiteral("LockedHint"));
    if (interface == sessionInterface && lockedHint != changed.end()) {
        update(lockedHint->toBool());
    }
}

void DbusSessionLock::screenSaverActiveChanged(bool active) {
    update(active);
}

void DbusSessionLock::update(bool locked) {
    if (locked == locked_) {
        return;
    }
    locked_ = locked;
    if (onChange_) {
        onChange_(locked);
    }
}

}  // namespace tavo
