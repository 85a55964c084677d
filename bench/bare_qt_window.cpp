// The floor for bench/startup-peers: an empty Qt main window of the program's default size,
// showing what Qt alone costs to start and to hold in memory.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(600, 400);
    window.show();
    return application.exec();
}
