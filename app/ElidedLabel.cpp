#include "app/ElidedLabel.h"

#include <QPainter>

namespace tavo {

ElidedLabel::ElidedLabel(QString text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
}

QString ElidedLabel::displayedText() const {
    // elidedText can cut a text that fits exactly.
    if (fontMetrics().horizontalAdvance(text_) <= width()) {
        return text_;
    }
    return fontMetrics().elidedText(text_, Qt::ElideRight, width());
}

QSize ElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text_), fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, displayedText());
}

}  // namespace tavo
