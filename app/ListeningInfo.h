#pragma once

#include <QLabel>

#include "receiver/ScanListener.h"

namespace tavo {

// Where the receiver listens, in small text: the advertised name, this computer's addresses and
// the port, for checking a firewall or typing them into a phone by hand.
class ListeningInfo : public QLabel {
    Q_OBJECT

  public:
    explicit ListeningInfo(const ScanListener& listener, QWidget* parent = nullptr);

    // Reads the addresses afresh: they change as networks come and go.
    void refresh();

  private:
    const ScanListener& listener_;
};

}  // namespace tavo
