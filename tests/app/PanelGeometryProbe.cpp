// Loaded into tavo-receiver by the desktop tests (LD_PRELOAD), never part of the product: each
// time the panel or one of its controls is shown, moved, resized or painted, the file named by
// TAVO_TEST_PANEL_GEOMETRY receives one line "name x y width height" (screen coordinates) for the
// panel and each visible named control, so that tests can click the controls with real pointer
// events. Beside it, the same name with ".texts" receives the visible texts of the panel, one
// "name<TAB>text" line each, top to bottom, as a reader of the screen would see them.
#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

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
        if (lines != written_ && save(path_, lines)) {
            written_ = lines;
        }
        const QByteArray texts = visibleTexts(panel);
        if (texts != writtenTexts_ && save(path_ + ".texts", texts)) {
            writtenTexts_ = texts;
        }
    }

    static QByteArray visibleTexts(const QWidget& panel) {
        std::vector<std::pair<QPoint, QString>> found;
        for (const QWidget* child : panel.findChildren<QWidget*>()) {
            QString text;
            if (const auto* label = qobject_cast<const QLabel*>(child)) {
                text = label->text();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
                text = button->text();
            } else {
                text = child->property("text").toString();  // the panel's one-line labels
            }
            if (child->isVisible() && !text.isEmpty()) {
                const QString name = child->objectName().isEmpty() ? "-" : child->objectName();
                found.emplace_back(child->mapTo(&panel, QPoint(0, 0)),
                                   name + "\t" + text.replace('\n', ' '));
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return std::pair(a.first.y(), a.first.x()) < std::pair(b.first.y(), b.first.x());
        });
        QByteArray lines;
        for (const auto& [position, line] : found) {
            lines += line.toUtf8() + "\n";
        }
        return lines;
    }

    static bool save(const QString& path, const QByteArray& contents) {
        QSaveFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() &&
               file.commit();
    }

    QString path_;
    QByteArray written_;
    QByteArray writtenTexts_;
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
