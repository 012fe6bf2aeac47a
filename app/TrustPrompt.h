#pragma once

#include <QWidget>
#include <optional>

#include "receiver/ScanListener.h"

class QLabel;

namespace tavo {

// "<name> (<address>) wants to type on this computer", with Allow and Deny; shown only while a
// phone is asking.
class TrustPrompt : public QWidget {
    Q_OBJECT

  public:
    explicit TrustPrompt(ScanListener& listener, QWidget* parent = nullptr);

    void refresh();

  private:
    ScanListener& listener_;
    QLabel* question_;
    // Allow and Deny answer for the phone the question shows, whoever asks at the click.
    std::optional<Phone> shown_;
};

}  // namespace tavo
