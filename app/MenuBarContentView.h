#pragma once

#include <QWidget>
#include <memory>

#include "app/AfterChange.h"
#include "app/LaunchAtLogin.h"
#include "app/PanelRules.h"
#include "platform/InputAccess.h"
#include "platform/LoginItems.h"
#include "receiver/ScanListener.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace tavo {

class ElidedLabel;
class ListeningInfo;
class TrustPrompt;
class TrustSettings;

// The panel: application name, the notice while typing cannot reach other applications, the
// connection status, the output format, the recent scans, launch at login and quit. Everything
// but launchAtLogin is read from the listener at each rebuild. No part of it takes keyboard focus.
class MenuBarContentView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int panelWidth = 300;

    // Reads the login item's status once, here.
    MenuBarContentView(std::shared_ptr<ScanListener> listener, InputAccess& inputAccess,
                       LoginItems& loginItems, QWidget* parent = nullptr);

    const PanelContent& content() const { return content_; }

  Q_SIGNALS:
    // After each rebuild, once the panel has its new height.
    void rebuilt();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildLayout();
    void rebuild();
    // A hidden panel rebuilds when it is shown.
    void rebuildIfVisible();
    void fillScanList();
    // The height the content needs at the panel's width.
    int neededHeight();
    void showAccessAdvice();

    std::shared_ptr<ScanListener> listener_;
    InputAccess& inputAccess_;
    LoginItems& loginItems_;
    LaunchAtLoginState launchAtLogin_;
    WillChangeSignal::Subscription subscription_;
    AfterChange rebuildAfterChange_{this, [this] {
                                        rebuildIfVisible();
                                    }};
    PanelContent content_;

    QWidget* accessibilityNotice_ = nullptr;
    QLabel* statusDot_ = nullptr;
    ElidedLabel* statusText_ = nullptr;
    // The status when phones cannot find the receiver: too long for one elided line.
    QLabel* statusProblem_ = nullptr;
    QAbstractButton* newlineSegment_ = nullptr;
    QAbstractButton* csvSegment_ = nullptr;
    QLabel* modeDescription_ = nullptr;
    QLabel* noScansText_ = nullptr;
    QScrollArea* scanList_ = nullptr;
    QVBoxLayout* scanRows_ = nullptr;
    QCheckBox* launchAtLoginSwitch_ = nullptr;
    QLabel* launchAtLoginFailure_ = nullptr;

    QLabel* typingRoute_ = nullptr;
    ListeningInfo* listeningInfo_ = nullptr;
    TrustPrompt* trustPrompt_ = nullptr;
    TrustSettings* trustSettings_ = nullptr;
};

}  // namespace tavo
