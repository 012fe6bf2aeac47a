#include "app/TrustSettings.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WrappingSwitch.h"

namespace tavo {

TrustSettings::TrustSettings(ScanListener& listener, QWidget* parent)
    : QWidget(parent),
      listener_(listener),
      pause_(new QCheckBox(tr("Pause typing"))),
      askBeforeNewPhone_(new QCheckBox(tr("Ask before a new phone types"))),
      onlyLocalNetworks_(new WrappingSwitch(tr("Only phones on this computer's networks"))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    pause_->setObjectName("pauseSwitch");
    askBeforeNewPhone_->setObjectName("askBeforeNewPhoneSwitch");
    onlyLocalNetworks_->checkBox()->setObjectName("onlyLocalNetworksSwitch");
    // clicked, unlike toggled, comes only from the user, never from showing the value.
    connect(pause_, &QCheckBox::clicked, this, [this](bool on) { listener_.setPaused(on); });
    connect(askBeforeNewPhone_, &QCheckBox::clicked, this,
            [this](bool on) { listener_.setAsksBeforeNewPhone(on); });
    connect(onlyLocalNetworks_->checkBox(), &QCheckBox::clicked, this,
            [this](bool on) { listener_.setOnlyLocalNetworks(on); });
    auto* forget = new QPushButton(tr("Forget allowed phones"));
    forget->setObjectName("forgetPhonesButton");
    connect(forget, &QPushButton::clicked, this, [this] { listener_.forgetAllowedPhones(); });
    layout->addWidget(pause_, 0, Qt::AlignLeft);
    layout->addWidget(askBeforeNewPhone_, 0, Qt::AlignLeft);
    layout->addWidget(onlyLocalNetworks_);
    layout->addWidget(forget, 0, Qt::AlignLeft);
}

void TrustSettings::refresh() {
    pause_->setChecked(listener_.isPaused());
    askBeforeNewPhone_->setChecked(listener_.asksBeforeNewPhone());
    onlyLocalNetworks_->checkBox()->setChecked(listener_.onlyLocalNetworks());
}

}  // namespace tavo
