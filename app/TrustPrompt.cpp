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
    connect(allow, &QPushButton::clicked, this, [this] { listener_.allowAskingPhone(); });
    auto* deny = new QPushButton(tr("Deny"));
    deny->setObjectName("denyPhoneButton");
    connect(deny, &QPushButton::clicked, this, [this] { listener_.denyAskingPhone(); });
    buttons->addWidget(allow);
    buttons->addWidget(deny);
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

void TrustPrompt::refresh() {
    const auto& asking = listener_.phoneAsking();
    // The name comes from the network: shown as it is, never looked up.
    question_->setText(asking ? QString::fromStdString(phoneAskingText(*asking)) : QString());
    setVisible(asking.has_value());
}

}  // namespace tavo
