// Start-up: a clear end when there is no display to open a window on.
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QtTest>

#include "app/baseform.h"
#include "app/startup.h"

namespace {

// The editor itself, without the offscreen platform of the tests.
struct Run {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out, err;
};

Run RunEditor(const QStringList& arguments, const QString& display = QString()) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty()) env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LASERPIC_BINARY), arguments);
    Run run;
    if (!process.waitForFinished(20000)) {
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

bool OneLine(const QString& text) {
    return text.endsWith('\n') && text.count('\n') == 1 && text.size() > 1;
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
  private slots:
    void missingDisplayEndsInOneLine();
};

// No display, or one that is not there: one line naming it, status 1, no abort.
void TestStartup::missingDisplayEndsInOneLine() {
    int n = 90;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) ++n;
    const QString display = QStringLiteral(":%1").arg(n);
    for (const QString& d : {display, QString()}) {
        const Run run = RunEditor({}, d);
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(OneLine(run.err), qPrintable(run.err));
        QVERIFY2(run.err.contains(d.isEmpty() ? QString("DISPLAY is not set") : '"' + d + '"'),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
