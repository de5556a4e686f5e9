#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/baseform.h"
#include "app/commandline.h"
#include "app/recovery.h"
#include "app/startup.h"
#include "language/translations.h"

int main(int argc, char* argv[]) {
    const QStringList arguments = lp::ArgumentList(argc, argv);
    // Help, version, mistakes and the file conversions are answered before
    // anything needs a display.
    if (const int status = lp::AnswerWithoutWindow(arguments); status >= 0) return status;

    lp::DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();

    lp::InstallTranslations(app);
    const lp::CommandLine command = lp::ParseCommandLine(arguments);
    std::fputs(command.errors.toLocal8Bit().constData(), stderr);
    lp::SetDesktopIdentity();
    lp::EditorWindows windows = lp::CreateEditorWindows();
    windows.base->EnableRecovery(lp::RecoveryFolder());
    windows.base->showMaximized();
    QTimer::singleShot(0, windows.base.get(),
                       [&windows, &command] { lp::StartWithPicture(*windows.base, command.picture); });
    // Work still running is asked to stop and waited for as the application object goes.
    return QApplication::exec();
}
