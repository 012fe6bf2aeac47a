#pragma once

#include <QWidget>

class QCheckBox;

namespace tavo {

// A check box whose text wraps onto more lines where the panel is too narrow for it, as a
// QCheckBox's own text cannot. A click on the text switches it, as on a check box's own text.
class WrappingSwitch : public QWidget {
    Q_OBJECT

  public:
    WrappingSwitch(const QString& text, QWidget* parent = nullptr);

    QCheckBox* checkBox() const { return box_; }

  private:
    QCheckBox* box_;
};

}  // namespace tavo
