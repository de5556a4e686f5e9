// A bare Qt main window of the editor's size, for comparison.
#include <QWidget>

#include "firstpaint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(814, 395);
    window.move(192, 105);
    FirstPaintQuit quit(&window);
    window.showMaximized();
    return QApplication::exec();
}
