#pragma once

#include <QWidget>

namespace tavo {

// One line of text, cut off with an ellipsis when it is wider than the label. Line breaks in
// the text are drawn as spaces. Screen readers read it as a label with the whole text.
class ElidedLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

  public:
    explicit ElidedLabel(QString text, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    // The text as drawn at the current width, on one line.
    QString displayedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QString line_;
};

}  // namespace tavo
