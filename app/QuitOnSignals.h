#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace tavo {

// Turns SIGTERM, SIGINT and SIGHUP into a quit of the event loop, so that a logout or a Ctrl+C
// ends the program the same orderly way as its Quit button; a second signal ends it at once.
// One per process.
class QuitOnSignals final : public QObject {
    Q_OBJECT
  public:
    QuitOnSignals();
    ~QuitOnSignals() override;

  private:
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tavo
