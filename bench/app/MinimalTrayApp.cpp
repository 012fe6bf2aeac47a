// The baseline of the memory figures: a Qt Widgets application with one tray icon whose click shows
// one small window with one line of text, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QSystemTrayIcon tray(application.style()->standardIcon(QStyle::SP_ComputerIcon));
    QLabel panel("Tavo Receiver");
    panel.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    QObject::connect(&tray, &QSystemTrayIcon::activated, &panel, &QLabel::show);
    tray.show();
    return QApplication::exec();
}
