#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "app/AfterChange.h"
#include "app/MenuBarContentView.h"
#include "app/OutsideClickWatcher.h"
#include "app/TrayHostWatch.h"
#include "output/KeystrokeTyper.h"
#include "output/TypingThread.h"
#include "platform/DefaultsStore.h"
#include "platform/InputAccess.h"
#include "platform/KeyEvents.h"
#include "platform/LoginItems.h"
#include "platform/MainThread.h"
#include "platform/Network.h"
#include "platform/SessionLock.h"
#include "receiver/ScanListener.h"

class QAction;
class QMenu;

namespace tavo {

// The application: the one listener of the process, whose scans are typed, and a tray icon that
// follows the connection and opens the panel. The icon is made once a tray is there; until then
// the panel is an ordinary window. The platform objects must outlive it.
class TavoReceiverApp : public QObject {
    Q_OBJECT
  public:
    // phoneConnectionChanged, when given, runs on the typing thread, in order with the texts:
    // with true before the first text of a phone that may type, with false when that phone goes.
    // Without a tray the panel opens at start unless windowAtStart is false; it then opens when
    // asked for.
    TavoReceiverApp(MainThread& mainThread, DefaultsStore& defaults, Network& network,
                    KeyEvents& keyEvents, InputAccess& inputAccess, LoginItems& loginItems,
                    std::function<void(bool phoneConnected)> phoneConnectionChanged = {},
                    bool windowAtStart = true);
    ~TavoReceiverApp() override;

    const std::shared_ptr<ScanListener>& listener() const { return listener_; }
    // Nothing until a tray is there.
    QSystemTrayIcon* trayIcon() const { return tray_.get(); }
    // Nothing until the panel is first opened.
    MenuBarContentView* panel() const { return panel_.get(); }

    // The first two steps of an orderly end, after the event loop: no more network activity, and
    // no more typing, the text in hand cut at its next key boundary.
    void stopNetwork();
    void stopTyping();

    // Holds scans back while the session is locked. The lock must go before the app.
    void followSessionLock(SessionLock& lock);

    void openPanel();
    void closePanel();
    void togglePanel();

  private:
    void createPanel();
    void createTrayIcon();
    void adoptLateTray();
    void placePanel();
    void updateIcon();
    // The tray's pause item, and a notification when a new phone asks to type.
    void followTrust();
    void startRouteSession();
    void followPhoneConnection();
    void closeOnOutsidePress(QPoint position);

    TypingInterrupt interrupt_;
    KeystrokeTyper typer_;
    // Read on the typing thread only once a scan was handed over, after it is set.
    std::weak_ptr<ScanListener> settledListener_;
    TypingThread typing_;
    InputAccess& inputAccess_;
    LoginItems& loginItems_;
    std::shared_ptr<ScanListener> listener_;
    std::function<void(bool)> phoneConnectionChanged_;
    bool routeSessionStarted_ = false;
    WillChangeSignal::Subscription iconSubscription_;
    AfterChange iconAfterChange_{this, [this] {
                                     updateIcon();
                                     followPhoneConnection();
                                 }};
    std::string_view traySymbol_;
    std::unique_ptr<QMenu> trayMenu_;
    QAction* pauseAction_ = nullptr;
    std::optional<Phone> notifiedPhone_;
    TrayHostWatch trayHosts_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<MenuBarContentView> panel_;
    std::unique_ptr<OutsideClickWatcher> outsidePresses_;
    QElapsedTimer sinceOutsideClose_;
    bool trayAvailable_ = false;
};

}  // namespace tavo
