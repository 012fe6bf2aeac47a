#include "app/WrappingSwitch.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace tavo {
namespace {

class SwitchText : public QLabel {
  public:
    SwitchText(const QString& text, QCheckBox& box) : QLabel(text), box_(box) {
        setWordWrap(true);
        setBuddy(&box);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            box_.click();
        }
    }

  private:
    QCheckBox& box_;
};

}  // namespace

WrappingSwitch::WrappingSwitch(const QString& text, QWidget* parent)
    : QWidget(parent), box_(new QCheckBox) {
    // Screen readers read the box by the text beside it.
    box_->setAccessibleName(text);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box_, 0, Qt::AlignTop);
    layout->addWidget(new SwitchText(text, *box_), 1);
}

}  // namespace tavo
