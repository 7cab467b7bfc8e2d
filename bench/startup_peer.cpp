// The peer of the start-up benchmark: the smallest Qt Widgets program with a window, started and
// reporting the same way as the program.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(1270, 870);
    window.show();
    QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
    });
    return application.exec();
}
