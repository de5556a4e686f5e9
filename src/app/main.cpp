#include <QApplication>

#include "app/baseform.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallTranslations(app);
    EditorWindows windows = CreateEditorWindows();
    windows.base->showMaximized();
    return QApplication::exec();
}
