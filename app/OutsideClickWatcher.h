#pragma once

#include <QAbstractNativeEventFilter>
#include <QPoint>
#include <functional>

namespace tavo {

// Reports every mouse button press on the X display, in any application, without grabbing the
// pointer or the keyboard (XInput 2 raw events on the root window). Does nothing without X11.
class OutsideClickWatcher : public QAbstractNativeEventFilter {
  public:
    // onPress gets the pointer's global position at the press.
    explicit OutsideClickWatcher(std::function<void(QPoint)> onPress);
    ~OutsideClickWatcher() override;

    OutsideClickWatcher(const OutsideClickWatcher&) = delete;
    OutsideClickWatcher& operator=(const OutsideClickWatcher&) = delete;

    // Presses are reported only between start and stop.
    void start();
    void stop();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void select(bool presses);

    std::function<void(QPoint)> onPress_;
    int xinputOpcode_ = -1;
    bool watching_ = false;
};

}  // namespace tavo
