#include "app/TrayHostWatch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <string>

// After Qt: Xlib defines macros that clash with Qt's names.
#include <X11/Xlib.h>
#include <xcb/xproto.h>

namespace tavo {
namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
// A watcher that does not answer within this time is taken as no tray, for now.
constexpr int answerMilliseconds = 1000;

Display* x11Display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

}  // namespace

TrayHostWatch::TrayHostWatch(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        auto* watcher = new QDBusServiceWatcher(watcherService, bus,
                                                QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayHostWatch::checkAgain);
        // A watcher may come up before its host does, which it then announces.
        bus.connect(watcherService, watcherPath, watcherService,
                    QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(checkAgain()));
    }
    if (Display* display = x11Display()) {
        // A new XEmbed tray announces itself to every client with a MANAGER message on the root
        // window, which Qt already listens to.
        const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
        traySelectionAtom_ = XInternAtom(display, selection.c_str(), False);
        managerAtom_ = XInternAtom(display, "MANAGER", False);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

TrayHostWatch::~TrayHostWatch() {
    if (managerAtom_ != 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool TrayHostWatch::trayPresent() {
    appeared_ = appeared_ || xembedTrayPresent() || statusNotifierHostPresent();
    return appeared_;
}

// What Qt asks before it makes a D-Bus tray icon: a watcher that knows of a host.
bool TrayHostWatch::statusNotifierHostPresent() const {
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(get, QDBus::Block, answerMilliseconds);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().front().value<QDBusVariant>().variant().toBool();
}

bool TrayHostWatch::xembedTrayPresent() const {
    Display* display = x11Display();
    return display != nullptr && XGetSelectionOwner(display, traySelectionAtom_) != None;
}

bool TrayHostWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (appeared_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type == managerAtom_ && client->data.data32[1] == traySelectionAtom_) {
            // Not from within the filter: making the icon talks to the X server.
            QMetaObject::invokeMethod(this, &TrayHostWatch::checkAgain, Qt::QueuedConnection);
        }
    }
    return false;
}

void TrayHostWatch::checkAgain() {
    if (!appeared_ && trayPresent()) {
        Q_EMIT trayAppeared();
    }
}

}  // namespace tavo
