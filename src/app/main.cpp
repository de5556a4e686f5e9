#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/baseform.h"
#include "app/commandline.h"
#include "app/ilda_cli.h"
#include "app/startup.h"
#include "app/trace_cli.h"

int main(int argc, char* argv[]) {
    const QStringList arguments = ArgumentList(argc, argv);
    // File conversions run without a window, before anything needs a display.
    if (const int status = RunTraceCommand(arguments); status >= 0) return status;
    if (const int status = RunIldaCommand(arguments); status >= 0) return status;

    // Help, version and mistakes are answered before any display is reached.
    const CommandLine command = ParseCommandLine(arguments);
    std::fputs(command.output.toLocal8Bit().constData(), stdout);
    std::fputs(command.errors.toLocal8Bit().constData(), stderr);
    if (command.exitCode) return *command.exitCode;

    DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();

    InstallTranslations(app);
    SetDesktopIdentity();
    EditorWindows windows = CreateEditorWindows();
    windows.base->showMaximized();
    if (!command.picture.isEmpty())
        QTimer::singleShot(0, windows.base.get(),
                           [&windows, &command] { OpenPictureAtStartUp(*windows.base, command.picture); });
    // Work still running is asked to stop and waited for as the application object goes.
    return QApplication::exec();
}
