#include "app/ElidedLabel.h"

#include <QPainter>

#include "app/AccessibleRole.h"

namespace tavo {
namespace {

// Line and paragraph breaks become spaces: the label has room for one line only.
QString oneLine(QString text) {
    for (QChar& c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = u' ';
        }
    }
    return text;
}

}  // namespace

ElidedLabel::ElidedLabel(QString text, QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setAccessibleRole(this, QAccessible::StaticText);
    setText(text);
}

void ElidedLabel::setText(const QString& text) {
    text_ = text;
    line_ = oneLine(text);
    // Read whole by screen readers, however much of it is drawn.
    setAccessibleName(line_);
    updateGeometry();
    update();
}

QString ElidedLabel::displayedText() const {
    // elidedText can cut a text that fits exactly.
    if (fontMetrics().horizontalAdvance(line_) <= width()) {
        return line_;
    }
    return fontMetrics().elidedText(line_, Qt::ElideRight, width());
}

QSize ElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(line_), fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     displayedText());
}

}  // namespace tavo
