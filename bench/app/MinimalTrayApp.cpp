// The baseline of the memory figure: a Qt Widgets application with one tray icon and nothing else.
#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QSystemTrayIcon tray(application.style()->standardIcon(QStyle::SP_ComputerIcon));
    tray.show();
    return QApplication::exec();
}
