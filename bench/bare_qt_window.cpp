// The yardstick of gui_bench's start-up figure: the least a Qt Widgets
// program does to put a window of the terminal's size on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(200, 459);
    window.show();
    return QApplication::exec();
}
