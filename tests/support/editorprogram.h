// The editor's own program, run as from a shell: the one built beside the
// tests (LASERPIC_PROGRAM, given to the tests added with EDITOR), without the
// tests' offscreen platform or any display unless one is named, or with only
// the environment given.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct EditorRun {
    bool finished = false;  // ended within 20 s; killed otherwise
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out, err;  // its standard output and error
};

#ifdef LASERPIC_PROGRAM
inline EditorRun RunEditor(const QStringList& arguments, const QString& folder = QString(),
                           const QString& display = QString(), const QStringList& environment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty()) env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    if (!environment.isEmpty()) process.setEnvironment(environment);
    if (!folder.isEmpty()) process.setWorkingDirectory(folder);
    process.start(QStringLiteral(LASERPIC_PROGRAM), arguments);
    EditorRun run;
    run.finished = process.waitForFinished(20000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.status = process.exitStatus();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}
#endif
