#include "app/MenuBarContentView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AccessibleRole.h"
#include "app/ElidedLabel.h"
#include "app/LaunchAtLogin.h"
#include "app/ListeningInfo.h"
#include "app/PlatformTexts.h"
#include "app/Symbols.h"
#include "app/TrustPrompt.h"
#include "app/TrustSettings.h"

namespace tavo {
namespace {

constexpr int margin = 14;
constexpr int scanListMaximumHeight = 200;
// What the list keeps, at least, on a screen too short for the whole panel.
constexpr int scanListMinimumHeight = 60;
const QColor systemRed(255, 59, 48);
const QColor systemGreen(52, 199, 89);
const QColor systemGray(142, 142, 147);
const QColor systemOrange(255, 149, 0);

QColor statusColor(StatusColor color) {
    switch (color) {
        case StatusColor::green:
            return systemGreen;
        case StatusColor::orange:
            return systemOrange;
        case StatusColor::gray:
            break;
    }
    return systemGray;
}

QString qString(const std::string& text) {
    return QString::fromStdString(text);
}

// Text styles as steps from the desktop's own font, so that the panel follows its size.
enum class TextStyle { headline, subheadline, body, footnote, caption, caption2 };

QFont styledFont(TextStyle style, QFont::Weight weight = QFont::Normal) {
    QFont font = QGuiApplication::font();
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    switch (style) {
        case TextStyle::headline:
            weight = QFont::Bold;
            break;
        case TextStyle::subheadline:
        case TextStyle::body:
            break;
        case TextStyle::footnote:
        case TextStyle::caption:
        case TextStyle::caption2:
            font.setPointSizeF(size - 1);
            break;
    }
    font.setWeight(weight);
    return font;
}

QLabel* label(const QString& text, TextStyle style, QFont::Weight weight = QFont::Normal) {
    auto* result = new QLabel(text);
    result->setFont(styledFont(style, weight));
    result->setTextFormat(Qt::PlainText);
    return result;
}

template <typename Widget>
Widget* secondary(Widget* widget) {
    QPalette palette = widget->palette();
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(0.6);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
    return widget;
}

QFrame* divider() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

QPixmap dot(const QColor& color, qreal pixelRatio) {
    constexpr int size = 8;
    QPixmap pixmap(qRound(size * pixelRatio), qRound(size * pixelRatio));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(pixmap.rect()));
    painter.end();
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

QWidget* scanRow(const ScanRow& row) {
    auto* widget = new QWidget;
    widget->setProperty("scanId", qString(row.id));
    // Screen readers read the row whole, with whether it was typed, which only shows when not.
    setAccessibleRole(widget, QAccessible::ListItem);
    widget->setAccessibleName((row.typed ? MenuBarContentView::tr("%1, %2, typed")
                                         : MenuBarContentView::tr("%1, %2, not typed"))
                                  .arg(qString(row.value), qString(row.symbology)));
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* value = new ElidedLabel(qString(row.value));
    value->setObjectName("scanValue");
    QFont monospace = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    monospace.setPointSizeF(styledFont(TextStyle::body).pointSizeF());
    value->setFont(monospace);
    // The value takes the room the symbology leaves, which pushes the symbology to the trailing
    // edge; a long value is cut off, a long symbology too past a third of the panel.
    layout->addWidget(value, 1);
    if (!row.typed) {
        auto* mark = secondary(label(MenuBarContentView::tr("not typed"), TextStyle::caption2));
        mark->setObjectName("notTypedMark");
        layout->addWidget(mark);
    }
    auto* symbology = secondary(new ElidedLabel(qString(row.symbology)));
    symbology->setObjectName("scanSymbology");
    symbology->setFont(styledFont(TextStyle::caption2));
    symbology->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    symbology->setMaximumWidth(MenuBarContentView::panelWidth / 3);
    layout->addWidget(symbology);
    return widget;
}

}  // namespace

MenuBarContentView::MenuBarContentView(std::shared_ptr<ScanListener> listener,
                                       InputAccess& inputAccess, LoginItems& loginItems,
                                       QWidget* parent)
    : QWidget(parent),
      listener_(std::move(listener)),
      inputAccess_(inputAccess),
      loginItems_(loginItems),
      launchAtLogin_{loginItems.status() == LoginItemStatus::enabled, std::nullopt} {
    setWindowTitle(tr("Tavo Receiver"));
    setFocusPolicy(Qt::NoFocus);
    buildLayout();
    subscription_ =
        listener_->objectWillChange().connect([this] { rebuildAfterChange_.schedule(); });
    rebuild();
}

void MenuBarContentView::buildLayout() {
    auto* root = new QVBoxLayout(this);
    root->setSpacing(10);
    root->setContentsMargins(margin, margin, margin, margin);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    auto* symbol = new QLabel;
    const int symbolSize = QFontMetrics(styledFont(TextStyle::headline)).height();
    symbol->setPixmap(
        tintedSymbol("barcode.viewfinder", systemRed, symbolSize, devicePixelRatioF()));
    header->addWidget(symbol);
    header->addWidget(label(tr("Tavo Receiver"), TextStyle::headline));
    header->addStretch(1);
    root->addLayout(header);
    root->addWidget(divider());

    accessibilityNotice_ = new QWidget;
    accessibilityNotice_->setObjectName("accessibilityNotice");
    auto* noticeWithDivider = new QVBoxLayout(accessibilityNotice_);
    noticeWithDivider->setContentsMargins(0, 0, 0, 0);
    noticeWithDivider->setSpacing(10);
    auto* notice = new QVBoxLayout;
    notice->setSpacing(6);
    notice->addWidget(
        label(tr("Accessibility permission needed"), TextStyle::subheadline, QFont::DemiBold));
    auto* explanation = secondary(label(
        tr("Tavo types scans into whatever app is focused, which requires Accessibility access."),
        TextStyle::caption));
    explanation->setWordWrap(true);
    notice->addWidget(explanation);
    auto* grantAccess = new QPushButton(tr("Grant Access\u2026"));
    grantAccess->setObjectName("grantAccessButton");
    connect(grantAccess, &QPushButton::clicked, this, [this] { showAccessAdvice(); });
    notice->addWidget(grantAccess, 0, Qt::AlignLeft);
    noticeWithDivider->addLayout(notice);
    noticeWithDivider->addWidget(divider());
    root->addWidget(accessibilityNotice_);

    auto* status = new QHBoxLayout;
    statusDot_ = new QLabel;
    statusDot_->setFixedSize(8, 8);
    status->addWidget(statusDot_);
    statusText_ = new ElidedLabel({});
    statusText_->setFont(styledFont(TextStyle::subheadline));
    statusText_->setObjectName("statusText");
    status->addWidget(statusText_, 1);
    statusProblem_ = label({}, TextStyle::subheadline);
    statusProblem_->setObjectName("statusProblem");
    statusProblem_->setWordWrap(true);
    status->addWidget(statusProblem_, 1);
    root->addLayout(status);
    listeningInfo_ = new ListeningInfo(*listener_);
    root->addWidget(listeningInfo_);
    typingRoute_ = secondary(label({}, TextStyle::caption2));
    typingRoute_->setObjectName("typingRoute");
    typingRoute_->setWordWrap(true);
    root->addWidget(typingRoute_);
    trustPrompt_ = new TrustPrompt(*listener_);
    root->addWidget(trustPrompt_);
    root->addWidget(divider());

    auto* format = new QVBoxLayout;
    format->setSpacing(6);
    format->addWidget(secondary(label(tr("Output format"), TextStyle::caption, QFont::Medium)));
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    auto* group = new QButtonGroup(this);
    const auto addSegment = [&](const QString& title, const QString& tooltip, const char* name,
                                ReceiverOutputMode mode) {
        auto* segment = new QPushButton(title);
        segment->setObjectName(name);
        segment->setCheckable(true);
        segment->setToolTip(tooltip);
        group->addButton(segment);
        segments->addWidget(segment);
        // The chosen segment in the highlight colour, as segmented controls show it; a plain
        // pressed button beside a white one reads the wrong way round.
        segment->setStyleSheet(
            "QPushButton:checked { background-color: palette(highlight); color: "
            "palette(highlighted-text); border: 1px solid palette(highlight); padding: 4px; }");
        // A click on the chosen segment changes nothing: no store write, no status frame.
        connect(segment, &QPushButton::clicked, this, [this, mode] {
            if (listener_->outputMode() != mode) {
                listener_->setOutputMode(mode);
            }
        });
        return segment;
    };
    newlineSegment_ = addSegment(tr("Newline"),
                                 tr("Types the scan, then presses Return \u2014 one scan per line. "
                                    "Good for spreadsheets and lists."),
                                 "newlineSegment", ReceiverOutputMode::newline);
    csvSegment_ = addSegment(tr("CSV"),
                             tr("Types the scan followed by a comma, with no Return \u2014 builds "
                                "one comma-separated line yourself."),
                             "csvSegment", ReceiverOutputMode::csv);
    format->addLayout(segments);
    modeDescription_ = secondary(label({}, TextStyle::caption2));
    modeDescription_->setObjectName("modeDescription");
    modeDescription_->setWordWrap(true);
    format->addWidget(modeDescription_);
    root->addLayout(format);
    root->addWidget(divider());

    noScansText_ = secondary(label(tr("No scans yet"), TextStyle::footnote));
    noScansText_->setObjectName("noScansText");
    root->addWidget(noScansText_);
    scanList_ = new QScrollArea;
    scanList_->setObjectName("scanList");
    scanList_->setFrameShape(QFrame::NoFrame);
    scanList_->setWidgetResizable(true);
    scanList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scanList_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* rows = new QWidget;
    setAccessibleRole(rows, QAccessible::List);
    scanRows_ = new QVBoxLayout(rows);
    scanRows_->setContentsMargins(0, 0, 0, 0);
    scanRows_->setSpacing(4);
    scanRows_->setAlignment(Qt::AlignTop);
    scanList_->setWidget(rows);
    scanList_->viewport()->setAutoFillBackground(false);
    rows->setAutoFillBackground(false);
    root->addWidget(scanList_);
    root->addWidget(divider());

    trustSettings_ = new TrustSettings(*listener_);
    root->addWidget(trustSettings_);
    root->addWidget(divider());

    auto* launchAtLogin = new QVBoxLayout;
    launchAtLogin->setSpacing(2);
    launchAtLoginSwitch_ = new QCheckBox(tr("Launch at Login"));
    launchAtLoginSwitch_->setObjectName("launchAtLoginSwitch");
    // clicked, unlike toggled, comes only from the user, never from showing the value.
    connect(launchAtLoginSwitch_, &QCheckBox::clicked, this, [this](bool on) {
        launchAtLogin_ = setLaunchAtLogin(loginItems_, on);
        // A change that did not take effect must not look as if it had, not even until the
        // rebuild.
        launchAtLoginSwitch_->setChecked(launchAtLogin_.on);
        rebuildAfterChange_.schedule();
    });
    launchAtLogin->addWidget(launchAtLoginSwitch_, 0, Qt::AlignLeft);
    launchAtLoginFailure_ = secondary(label({}, TextStyle::caption2));
    launchAtLoginFailure_->setObjectName("launchAtLoginFailure");
    launchAtLoginFailure_->setWordWrap(true);
    launchAtLogin->addWidget(launchAtLoginFailure_);
    root->addLayout(launchAtLogin);
    root->addWidget(divider());

    auto* quit = new QPushButton(tr("Quit Tavo Receiver"));
    quit->setObjectName("quitButton");
    // The listener is left running: the process ends with it.
    connect(quit, &QPushButton::clicked, this, [] { QCoreApplication::quit(); });
    root->addWidget(quit, 0, Qt::AlignLeft);

    // Typing must keep going to the application the user works in.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setFocusPolicy(Qt::NoFocus);
    }
}

void MenuBarContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    rebuild();
}

void MenuBarContentView::rebuildIfVisible() {
    if (isVisible()) {
        rebuild();
    }
}

void MenuBarContentView::rebuild() {
    PanelInputs inputs;
    inputs.isAdvertising = listener_->isAdvertising();
    inputs.advertisingTrouble = listener_->advertisingTrouble();
    inputs.connectedDeviceName = listener_->connectedDeviceName();
    inputs.recentScans = listener_->recentScans();
    inputs.outputMode = listener_->outputMode();
    inputs.isTrusted = inputAccess_.isTrusted();
    inputs.launchAtLogin = launchAtLogin_.on;
    content_ = panelContent(inputs);

    accessibilityNotice_->setVisible(content_.showsAccessibilityNotice);
    statusDot_->setPixmap(dot(statusColor(content_.statusColor), devicePixelRatioF()));
    const bool isProblem = content_.statusColor == StatusColor::orange;
    // A device name and a problem come ready to show; the other lines are keys to look up.
    const QString status = inputs.connectedDeviceName || isProblem
                               ? qString(content_.statusText)
                               : tr(content_.statusText.c_str());
    statusText_->setText(isProblem ? QString() : status);
    statusText_->setVisible(!isProblem);
    statusProblem_->setText(isProblem ? status : QString());
    statusProblem_->setVisible(isProblem);
    newlineSegment_->setChecked(content_.selectedMode == ReceiverOutputMode::newline);
    csvSegment_->setChecked(content_.selectedMode == ReceiverOutputMode::csv);
    modeDescription_->setText(tr(content_.modeDescription.c_str()));
    fillScanList();
    launchAtLoginSwitch_->setChecked(content_.launchAtLogin);
    if (const auto& failure = launchAtLogin_.failure) {
        const QString reason =
            launchAtLogin_.on ? tr("Could not turn it off: %1") : tr("Could not turn it on: %1");
        launchAtLoginFailure_->setText(reason.arg(qString(*failure)));
    }
    launchAtLoginFailure_->setVisible(launchAtLogin_.failure.has_value());
    listeningInfo_->refresh();
    const std::string route = inputAccess_.typingRoute();
    typingRoute_->setText(translatedPlatformText(route));
    typingRoute_->setVisible(!route.empty());
    trustPrompt_->refresh();
    trustSettings_->refresh();

    setFixedSize(panelWidth, neededHeight());
    // On a short screen (a laptop's 768 pixels, a long translation) the list gives up rows so
    // that the whole panel stays on the screen.
    const int available =
        screen()->availableGeometry().height() - (frameGeometry().height() - height());
    while (height() > available && scanList_->isVisible() &&
           scanList_->maximumHeight() > scanListMinimumHeight) {
        scanList_->setFixedHeight(
            std::max(scanListMinimumHeight, scanList_->maximumHeight() - (height() - available)));
        setFixedSize(panelWidth, neededHeight());
    }
    Q_EMIT rebuilt();
}

int MenuBarContentView::neededHeight() {
    layout()->activate();
    return hasHeightForWidth() ? heightForWidth(panelWidth) : sizeHint().height();
}

void MenuBarContentView::fillScanList() {
    while (QLayoutItem* item = scanRows_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    noScansText_->setVisible(content_.scanRows.empty());
    scanList_->setVisible(!content_.scanRows.empty());
    for (const ScanRow& row : content_.scanRows) {
        QWidget* widget = scanRow(row);
        scanRows_->addWidget(widget);
        // Counted by the layout at once, not after a queued show.
        widget->setVisible(true);
    }
    const int rowsHeight = scanList_->widget()->sizeHint().height();
    scanList_->setFixedHeight(std::min(rowsHeight, scanListMaximumHeight));
}

void MenuBarContentView::showAccessAdvice() {
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Tavo Receiver"),
                        translatedPlatformText(inputAccess_.accessAdvice()), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    box->show();
}

}  // namespace tavo
