#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

namespace tavo {

// One receiver per user and display. The first process holds a lock file in the user's runtime
// directory and listens on a local socket beside it; a later one asks it to open its panel.
// The lock belongs to a live process: one left behind by a crash is taken over.
class SingleInstance {
  public:
    // Takes the lock when it is free. Needs no Qt application object, so that a later start
    // ends before it connects to the display.
    SingleInstance();

    // Also when the lock cannot be had for another reason than a running receiver.
    bool isFirst() const;
    // In the first process, once the Qt application exists: listens for later starts and calls
    // `openPanel` for each.
    void listen(std::function<void()> openPanel);
    // In a later process: asks the first to open its panel, for at most about a second. False
    // when it does not answer.
    bool askFirstToOpenPanel() const;

  private:
    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace tavo
