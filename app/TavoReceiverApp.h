#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

#include "app/AfterChange.h"
#include "app/MenuBarContentView.h"
#include "app/OutsideClickWatcher.h"
#include "output/KeystrokeTyper.h"
#include "platform/DefaultsStore.h"
#include "platform/InputAccess.h"
#include "platform/KeyEvents.h"
#include "platform/LoginItems.h"
#include "platform/MainThread.h"
#include "platform/Network.h"
#include "receiver/ScanListener.h"

class QAction;
class QMenu;

namespace tavo {

// The application: the one listener of the process, whose scans are typed, and a tray icon that
// follows the connection and opens the panel. Without a tray the panel is an ordinary window.
// Nothing is stopped when the application ends. The platform objects must outlive it.
class TavoReceiverApp : public QObject {
    Q_OBJECT
  public:
    TavoReceiverApp(MainThread& mainThread, DefaultsStore& defaults, Network& network,
                    KeyEvents& keyEvents, InputAccess& inputAccess, LoginItems& loginItems);
    ~TavoReceiverApp() override;

    const std::shared_ptr<ScanListener>& listener() const { return listener_; }
    // Nothing while the tray is not used.
    QSystemTrayIcon* trayIcon() const { return tray_.get(); }
    // Nothing until the panel is first opened.
    MenuBarContentView* panel() const { return panel_.get(); }

    void openPanel();
    void closePanel();
    void togglePanel();

  private:
    void createPanel();
    void placePanel();
    void updateIcon();
    // The tray's pause item, and a notification when a new phone asks to type.
    void followTrust();
    void closeOnOutsidePress(QPoint position);
    void reportPanelGeometry() const;

    KeystrokeTyper typer_;
    InputAccess& inputAccess_;
    LoginItems& loginItems_;
    std::shared_ptr<ScanListener> listener_;
    WillChangeSignal::Subscription iconSubscription_;
    AfterChange iconAfterChange_{this, [this] {
                                     updateIcon();
                                 }};
    std::string_view traySymbol_;
    std::unique_ptr<QMenu> trayMenu_;
    QAction* pauseAction_ = nullptr;
    std::optional<Phone> notifiedPhone_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<MenuBarContentView> panel_;
    std::unique_ptr<OutsideClickWatcher> outsidePresses_;
    QElapsedTimer sinceOutsideClose_;
};

}  // namespace tavo
