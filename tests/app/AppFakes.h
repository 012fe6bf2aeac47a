#pragma once

#include <string>
#include <vector>

#include "kit/TavoFraming.h"
#include "platform/InputAccess.h"
#include "platform/LoginItems.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"

namespace tavo {

class FakeInputAccess : public InputAccess {
  public:
    bool isTrusted() override { return trusted; }
    std::string accessAdvice() override { return "Run the session on X11."; }

    bool trusted = true;
};

// Records calls: "status", "register", "unregister".
class FakeLoginItems : public LoginItems {
  public:
    LoginItemStatus status() override {
        calls.emplace_back("status");
        return currentStatus;
    }
    bool registerItem() override {
        calls.emplace_back("register");
        return succeeds;
    }
    bool unregisterItem() override {
        calls.emplace_back("unregister");
        return succeeds;
    }

    LoginItemStatus currentStatus = LoginItemStatus::notRegistered;
    bool succeeds = true;
    std::vector<std::string> calls;
};

// A phone connected through the fake network; what it sends is handled at once.
class FakePhone {
  public:
    FakePhone(FakeNetwork& network, ManualMainThread& mainThread)
        : mainThread_(mainThread), connection_(network.makeConnection()) {
        network.listener().deliverConnection(connection_);
        mainThread_.drain();
    }

    void send(const TavoMessage& message) {
        connection_->feed(TavoFraming::encode(message));
        mainThread_.drain();
    }

    // The output modes of the status frames received so far.
    std::vector<ReceiverOutputMode> statuses() const {
        std::vector<ReceiverOutputMode> modes;
        for (const Bytes& frame : connection_->sent()) {
            const TavoMessage message =
                TavoFraming::decode(ByteView(frame).subspan(TavoFraming::headerLength));
            if (message.status() != nullptr) {
                modes.push_back(message.status()->outputMode);
            }
        }
        return modes;
    }

    FakeConnection& connection() { return *connection_; }

  private:
    ManualMainThread& mainThread_;
    std::shared_ptr<FakeConnection> connection_;
};

}  // namespace tavo
