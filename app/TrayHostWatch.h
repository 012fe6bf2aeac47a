#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace tavo {

// Tells when the desktop has a tray for our icon: a StatusNotifier host on the session bus (KDE,
// GNOME's AppIndicator, XFCE, waybar) or, on X11, an XEmbed tray. Qt decides once per process,
// when its first tray icon is made, whether a D-Bus tray exists, so the icon must not be made
// before one of them is there: an icon made earlier never reaches a StatusNotifier host.
class TrayHostWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

  public:
    explicit TrayHostWatch(QObject* parent = nullptr);
    ~TrayHostWatch() override;

    // Whether a tray is there, or was once; until one was, asks with short round trips to the
    // session bus and the X server.
    bool trayPresent();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  Q_SIGNALS:
    // Once, when a tray shows up that trayPresent() did not find.
    void trayAppeared();

  private Q_SLOTS:
    void checkAgain();

  private:
    bool statusNotifierHostPresent() const;
    bool xembedTrayPresent() const;

    unsigned long managerAtom_ = 0;
    unsigned long traySelectionAtom_ = 0;
    bool appeared_ = false;
};

}  // namespace tavo
