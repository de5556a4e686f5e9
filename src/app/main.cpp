#include <QApplication>

#include "app/baseform.h"
#include "app/ilda_cli.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    // File conversions run without a window, before anything needs a display.
    QStringList args;
    for (int i = 0; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    if (const int status = RunIldaCommand(args); status >= 0) return status;

    QApplication app(argc, argv);
    InstallTranslations(app);
    EditorWindows windows = CreateEditorWindows();
    windows.base->showMaximized();
    return QApplication::exec();
}
