#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/baseform.h"
#include "app/commandline.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    // Help, version, mistakes and the file conversions are answered before
    // anything needs a display.
    const CommandLine command = ParseCommandLine(ArgumentList(argc, argv));
    std::fputs(command.output.toLocal8Bit().constData(), stdout);
    std::fputs(command.errors.toLocal8Bit().constData(), stderr);
    if (command.exitCode) return *command.exitCode;
    if (command.conversion != Conversion::None) return RunConversion(command);

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
