#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "platform/SessionLock.h"

namespace tavo {

// Follows logind's LockedHint of the user's login session (XDG_SESSION_ID, else the one logind
// finds for us); where logind knows no session, the desktop's screen saver on the session bus.
// Asks without blocking and learns the answers through Qt's event loop, on the main thread.
class DbusSessionLock : public QObject, public SessionLock {
    Q_OBJECT
  public:
    // Made after the application object.
    DbusSessionLock();

    bool isLocked() const override { return locked_; }
    void setOnChange(std::function<void(bool locked)> onChange) override;

  private Q_SLOTS:
    void sessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                  const QStringList& invalidated);
    void screenSaverActiveChanged(bool active);

  private:
    void followLoginSession(const QString& path);
    void followScreenSaver();
    void update(bool locked);

    QDBusConnection system_;
    bool locked_ = false;
    std::function<void(bool)> onChange_;
};

}  // namespace tavo
