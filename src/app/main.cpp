#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/baseform.h"
#include "app/commandline.h"
#include "app/startup.h"
#include "language/translations.h"

int main(int argc, char* argv[]) {
    const QStringList arguments = ArgumentList(argc, argv);
    // Help, version, mistakes and the file conversions are answered before
    // anything needs a display.
    if (const int status = AnswerWithoutWindow(arguments); status >= 0) return status;

    DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();

    InstallTranslations(app);
    const CommandLine command = ParseCommandLine(arguments);
    std::fputs(command.errors.toLocal8Bit().constData(), stderr);
    SetDesktopIdentity();
    EditorWindows windows = CreateEditorWindows();
    windows.base->showMaximized();
    if (!command.picture.isEmpty())
        QTimer::singleShot(0, windows.base.get(),
                           [&windows, &command] { OpenPictureAtStartUp(*windows.base, command.picture); });
    // Work still running is asked to stop and waited for as the application object goes.
    return QApplication::exec();
}
