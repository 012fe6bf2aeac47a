#pragma once

#include <QWidget>

#include "receiver/ScanListener.h"

class QCheckBox;

namespace tavo {

class WrappingSwitch;

// The guard of the keyboard: the pause switch, whether a new phone must be allowed first, whether
// phones from other networks are refused, and forgetting the phones allowed so far.
class TrustSettings : public QWidget {
    Q_OBJECT

  public:
    explicit TrustSettings(ScanListener& listener, QWidget* parent = nullptr);

    void refresh();

  private:
    ScanListener& listener_;
    QCheckBox* pause_;
    QCheckBox* askBeforeNewPhone_;
    // Its text is long in every language.
    WrappingSwitch* onlyLocalNetworks_;
};

}  // namespace tavo
