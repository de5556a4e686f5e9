#include <QApplication>

#include "app/baseform.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();

    InstallTranslations(app);
    EditorWindows windows = CreateEditorWindows();
    windows.base->showMaximized();
    return QApplication::exec();
}
