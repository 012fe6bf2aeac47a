#include "app/TrustPrompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/PanelRules.h"

namespace tavo {

TrustPrompt::TrustPrompt(ScanListener& listener, QWidget* parent)
    : QWidget(parent), listener_(listener), question_(new QLabel) {
    setObjectName("trustPrompt");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    question_->setObjectName("trustQuestion");
    question_->setTextFormat(Qt::PlainText);
    question_->setWordWrap(true);
    layout->addWidget(question_);
    auto* buttons = new QHBoxLayout;
    auto* allow = new QPushButton(tr("Allow"));
    allow->setObjectName("allowPhoneButton");
    connect(allow, &QPushButton::clicked, this, [this] {
        if (shown_) {
            listener_.allowAskingPhone(*shown_);
        }
    });
    auto* deny = new QPushButton(tr("Deny"));
    deny->setObjectName("denyPhoneButton");
    connect(deny, &QPushButton::clicked, this, [this] {
        if (shown_) {
            listener_.denyAskingPhone(*shown_);
        }
    });
    buttons->addWidget(allow);
    buttons->addWidget(deny);
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

void TrustPrompt::refresh() {
    shown_ = listener_.phoneAsking();
    question_->setText(shown_ ? QString::fromStdString(phoneAskingText(*shown_)) : QString());
    setVisible(shown_.has_value());
}

}  // namespace tavo
