// Loaded into tavo-receiver by the desktop tests (LD_PRELOAD), never part of the product: each
// time the panel or one of its controls is shown, moved, resized or painted, the file named by
// TAVO_TEST_PANEL_GEOMETRY receives one line "name x y width height" (screen coordinates) for the
// panel and each visible named control, so that tests can click the controls with real pointer
// events.
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace {

class PanelGeometryProbe : public QObject {
  public:
    PanelGeometryProbe(QString path, QObject* parent) : QObject(parent), path_(std::move(path)) {}

  protected:
    // Reports once the event is handled: a window's resize reaches the filter before its layout
    // moves the controls, and the controls' own moves come later still.
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize ||
            type == QEvent::Paint) {
            const auto* widget = qobject_cast<const QWidget*>(watched);
            if (widget != nullptr && !reportPending_ &&
                widget->window()->inherits("tavo::MenuBarContentView")) {
                reportPending_ = true;
                QTimer::singleShot(0, this, [this, panel = QPointer(widget->window())] {
                    reportPending_ = false;
                    if (panel && panel->isVisible()) {
                        report(*panel);
                    }
                });
            }
        }
        return false;
    }

  private:
    void report(const QWidget& panel) {
        QByteArray lines;
        const auto line = [&lines](const QString& name, QRect rect) {
            lines += QStringLiteral("%1 %2 %3 %4 %5\n")
                         .arg(name)
                         .arg(rect.x())
                         .arg(rect.y())
                         .arg(rect.width())
                         .arg(rect.height())
                         .toUtf8();
        };
        line("panel", panel.frameGeometry());
        for (const QWidget* child : panel.findChildren<QWidget*>()) {
            if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_") &&
                child->isVisible()) {
                line(child->objectName(), QRect(child->mapToGlobal(QPoint(0, 0)), child->size()));
            }
        }
        if (lines == written_) {
            return;
        }
        QSaveFile file(path_);
        if (file.open(QIODevice::WriteOnly) && file.write(lines) == lines.size() && file.commit()) {
            written_ = lines;
        }
    }

    QString path_;
    QByteArray written_;
    bool reportPending_ = false;
};

void installProbe() {
    const QString path = qEnvironmentVariable("TAVO_TEST_PANEL_GEOMETRY");
    if (!path.isEmpty()) {
        qApp->installEventFilter(new PanelGeometryProbe(path, qApp));
    }
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
