#include "app/TavoReceiverApp.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "app/PanelRules.h"
#include "app/ShownText.h"
#include "app/Symbols.h"
#include "output/OutputScan.h"
#include "platform/Log.h"

namespace tavo {
namespace {

// A press on the icon that closed the panel also activates the icon; within this time the
// activation must not open the panel again.
constexpr qint64 reopenGuardMilliseconds = 300;

}  // namespace

TavoReceiverApp::TavoReceiverApp(MainThread& mainThread, DefaultsStore& defaults, Network& network,
                                 KeyEvents& keyEvents, InputAccess& inputAccess,
                                 LoginItems& loginItems,
                                 std::function<void(bool)> phoneConnectionChanged,
                                 bool windowAtStart)
    : typer_(keyEvents, &interrupt_),
      typing_(typer_, interrupt_,
              [this, &mainThread](bool typedWhole) {
                  mainThread.post([listener = settledListener_, typedWhole] {
                      if (const auto service = listener.lock()) {
                          service->typingSettled(typedWhole);
                      }
                  });
              }),
      inputAccess_(inputAccess),
      loginItems_(loginItems),
      phoneConnectionChanged_(std::move(phoneConnectionChanged)) {
    auto listener = ScanListener::make(mainThread, defaults, network);
    settledListener_ = listener;
    std::weak_ptr<const ScanListener> weakListener = listener;
    listener->setOnScan([this, weakListener](const TavoScan& scan) {
        startRouteSession();
        outputScan(scan, weakListener, typing_);
    });
    // A native Wayland window takes the keyboard focus when it appears, so the keys of a scan
    // would go to our own window: such a scan is listed as not typed instead of being lost. One
    // of ours taking the focus stops what is being typed.
    listener->setHoldsTyping([] { return QGuiApplication::focusWindow() != nullptr; });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
        if (focused != nullptr) {
            listener_->typingHoldChanged();
        }
    });
    listener->setOnStopTyping([this] { typing_.interrupt(); });
    listener_ = std::move(listener);

    // The panel and dialogs come and go, the tray icon stays; only Quit ends the application.
    QApplication::setQuitOnLastWindowClosed(false);
    // Some tray hosts only ever show the icon's menu.
    trayMenu_ = std::make_unique<QMenu>();
    trayMenu_->addAction(tr("Open Tavo Receiver"), this, [this] { openPanel(); });
    pauseAction_ = trayMenu_->addAction(tr("Pause typing"));
    pauseAction_->setCheckable(true);
    connect(pauseAction_, &QAction::triggered, this,
            [this](bool paused) { listener_->setPaused(paused); });
    trayMenu_->addAction(tr("Quit Tavo Receiver"), qApp, &QCoreApplication::quit);
    iconSubscription_ =
        listener_->objectWillChange().connect([this] { iconAfterChange_.schedule(); });
    // Made once a tray is there: Qt looks for a D-Bus tray only when the icon is made.
    connect(&trayHosts_, &TrayHostWatch::trayAppeared, this, [this] { createTrayIcon(); });
    trayAvailable_ = trayHosts_.trayPresent();
    if (trayAvailable_) {
        createTrayIcon();
    }
    outsidePresses_ = std::make_unique<OutsideClickWatcher>(
        [this](QPoint position) { closeOnOutsidePress(position); });
    if (!trayAvailable_ && windowAtStart) {
        createPanel();
        panel_->show();
    } else if (!trayAvailable_) {
        log::detail("no tray: the window opens when tavo-receiver is started again");
    }
}

TavoReceiverApp::~TavoReceiverApp() = default;

void TavoReceiverApp::stopNetwork() {
    listener_->stop();
}

void TavoReceiverApp::stopTyping() {
    typing_.stop();
}

void TavoReceiverApp::followSessionLock(SessionLock& lock) {
    lock.setOnChange([this](bool locked) { listener_->setSessionLocked(locked); });
    listener_->setSessionLocked(lock.isLocked());
}

void TavoReceiverApp::createPanel() {
    panel_ = std::make_unique<MenuBarContentView>(listener_, inputAccess_, loginItems_);
    // Scans go on reaching the application the user types into while the panel is open: no
    // activation when shown, no focus when clicked, and no popup, which would grab the keyboard.
    panel_->setAttribute(Qt::WA_ShowWithoutActivating);
    if (trayAvailable_) {
        panel_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
    } else {
        panel_->setWindowFlags(Qt::Window | Qt::WindowDoesNotAcceptFocus);
    }
    connect(panel_.get(), &MenuBarContentView::rebuilt, this, [this] {
        if (trayAvailable_) {
            placePanel();
        }
    });
}

void TavoReceiverApp::createTrayIcon() {
    if (tray_) {
        return;
    }
    traySymbol_ = trayIconName(listener_->connectedDeviceName(), listener_->isPaused());
    tray_ = std::make_unique<QSystemTrayIcon>(symbolIcon(traySymbol_));
    tray_->setToolTip(tr("Tavo Receiver"));
    tray_->setContextMenu(trayMenu_.get());
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) {
                    togglePanel();
                }
            });
    tray_->show();
}

// A tray that came after us: from now on the panel opens at the icon, made anew for it.
void TavoReceiverApp::adoptLateTray() {
    if (!trayAvailable_ && tray_) {
        trayAvailable_ = true;
        panel_.reset();
    }
}

void TavoReceiverApp::openPanel() {
    adoptLateTray();
    if (!panel_) {
        createPanel();
    }
    if (trayAvailable_) {
        placePanel();
    }
    panel_->show();
    panel_->raise();
    if (trayAvailable_) {
        outsidePresses_->start();
    }
}

void TavoReceiverApp::closePanel() {
    outsidePresses_->stop();
    if (panel_ && trayAvailable_) {
        panel_->hide();
    }
}

void TavoReceiverApp::togglePanel() {
    adoptLateTray();
    if (panel_ && panel_->isVisible()) {
        closePanel();
    } else if (!sinceOutsideClose_.isValid() ||
               sinceOutsideClose_.elapsed() > reopenGuardMilliseconds) {
        openPanel();
    }
}

// Below the icon when it sits in the upper half of its screen, above it otherwise; kept on the
// screen. Hosts that do not tell where the icon is get the panel at the pointer.
void TavoReceiverApp::placePanel() {
    const QRect icon = tray_->geometry();
    const QPoint anchor = icon.isValid() ? icon.center() : QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(anchor);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen->availableGeometry();
    const QSize size = panel_->size();
    const bool below = anchor.y() < screen->geometry().center().y();
    int x = anchor.x() - size.width() / 2;
    int y = below ? (icon.isValid() ? icon.bottom() + 1 : anchor.y())
                  : (icon.isValid() ? icon.top() : anchor.y()) - size.height();
    x = std::max(area.left(), std::min(x, area.right() + 1 - size.width()));
    y = std::max(area.top(), std::min(y, area.bottom() + 1 - size.height()));
    panel_->move(x, y);
}

void TavoReceiverApp::updateIcon() {
    const std::string_view symbol =
        trayIconName(listener_->connectedDeviceName(), listener_->isPaused());
    if (symbol != traySymbol_ && tray_) {
        traySymbol_ = symbol;
        tray_->setIcon(symbolIcon(symbol));
    }
    followTrust();
}

// A route's session shows (GNOME's remote-control indicator, the portal's consent dialog), so it
// starts only once a phone that may type has something to type: a stranger starts nothing.
void TavoReceiverApp::startRouteSession() {
    if (!phoneConnectionChanged_ || routeSessionStarted_) {
        return;
    }
    routeSessionStarted_ = true;
    typing_.run([changed = phoneConnectionChanged_] {
        changed(true);
        log::detail("the typing route's session started");
    });
}

// The session ends when the phone goes, and when the user's session locks: nothing is typed into
// a locked session, so it needs no remote-desktop session either.
void TavoReceiverApp::followPhoneConnection() {
    if (!routeSessionStarted_ ||
        (listener_->connectedDeviceName() && !listener_->isSessionLocked())) {
        return;
    }
    routeSessionStarted_ = false;
    typing_.run([changed = phoneConnectionChanged_] { changed(false); });
}

void TavoReceiverApp::followTrust() {
    pauseAction_->setChecked(listener_->isPaused());
    const auto& asking = listener_->phoneAsking();
    if (asking && asking != notifiedPhone_ && tray_) {
        // Notification servers may read markup; the name must not bring any.
        tray_->showMessage(tr("Tavo Receiver"),
                           QString::fromStdString(withoutMarkup(phoneAskingText(*asking))));
    }
    notifiedPhone_ = asking;
}

void TavoReceiverApp::closeOnOutsidePress(QPoint position) {
    if (!panel_ || !panel_->isVisible() || panel_->frameGeometry().contains(position) ||
        (tray_ && tray_->geometry().contains(position))) {
        return;
    }
    closePanel();
    sinceOutsideClose_.start();
}

}  // namespace tavo
