// The editor's start-up up to its first painted main window.
#include "app/baseform.h"
#include "app/recovery.h"
#include "app/startup.h"
#include "firstpaint.h"
#include "language/translations.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    lp::InstallTranslations(app);
    lp::EditorWindows windows = lp::CreateEditorWindows();
    FirstPaintQuit quit(windows.base.get());
    windows.base->EnableRecovery(lp::RecoveryFolder());  // as the program starts: its lock taken
    windows.base->showMaximized();
    return QApplication::exec();
}
