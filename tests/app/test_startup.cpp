// Start-up: the command line (read before any display is reached), a picture
// given on it, and a clear end when there is no display to open a window on.
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "app/baseform.h"
#include "app/commandline.h"
#include "app/startup.h"
#include "support/editorprogram.h"
#include "support/files.h"
#include "support/scripteddialogs.h"

namespace {

const QString kStartCaption = QStringLiteral(" Редактор картинок для лазера  [no FileLaser]  [no Picture] ");

bool OneLine(const QString& text) {
    return text.endsWith('\n') && text.count('\n') == 1 && text.size() > 1;
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
  private slots:
    void commandLine_data();
    void commandLine();
    void answersWithoutDisplay();
    void missingDisplayEndsInOneLine();
    void pictureOnCommandLine_data();
    void pictureOnCommandLine();
    void desktopIdentity();
};

void TestStartup::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");  // -1: the editor starts
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");  // a part of the one line, or empty for none
    QTest::addColumn<QString>("picture");
    const QString cwd = QDir::currentPath();
    QTest::newRow("nothing") << QStringList{} << -1 << ""
                             << ""
                             << "";
    QTest::newRow("relative path") << QStringList{"a.kvt"} << -1 << ""
                                   << "" << cwd + "/a.kvt";
    QTest::newRow("cleaned") << QStringList{"/x/../y/./a.kvt"} << -1 << ""
                             << ""
                             << "/y/a.kvt";
    QTest::newRow("file URL") << QStringList{"file:///tmp/a%20b.kvt"} << -1 << ""
                              << ""
                              << "/tmp/a b.kvt";
    QTest::newRow("after --") << QStringList{"--", "-odd.kvt"} << -1 << ""
                              << "" << cwd + "/-odd.kvt";
    QTest::newRow("Qt's options") << QStringList{"-platform", "offscreen", "-reverse", "/a.kvt"} << -1 << ""
                                  << ""
                                  << "/a.kvt";
    QTest::newRow("two pictures") << QStringList{"/a.kvt", "b.kvt", "c.kvt"} << -1 << ""
                                  << "пропущены: b.kvt c.kvt"
                                  << "/a.kvt";
    QTest::newRow("--version") << QStringList{"--version", "a.kvt"} << 0 << "laserpic " LASERPIC_VERSION "\n"
                               << ""
                               << "";
    QTest::newRow("-v") << QStringList{"-v"} << 0 << "laserpic " LASERPIC_VERSION "\n"
                        << ""
                        << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0
                            << "Использование: laserpic [параметры] [картинка.kvt]"
                            << ""
                            << "";
    QTest::newRow("-h") << QStringList{"-h"} << 0 << "Использование: laserpic [параметры] [картинка.kvt]"
                        << ""
                        << "";
    QTest::newRow("unknown long") << QStringList{"--bogus", "a.kvt"} << 2 << ""
                                  << "--bogus"
                                  << "";
    QTest::newRow("unknown short") << QStringList{"-x"} << 2 << ""
                                   << "-x"
                                   << "";
    QTest::newRow("value for a flag") << QStringList{"--version=2"} << 2 << ""
                                      << "--version"
                                      << "";
    QTest::newRow("Qt option without value") << QStringList{"-platform"} << 2 << ""
                                             << "platform"
                                             << "";
}

void TestStartup::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QFETCH(QString, picture);
    const lp::CommandLine command = lp::ParseCommandLine(QStringList{"laserpic"} + arguments);
    QCOMPARE(command.exitCode.value_or(-1), exitCode);
    QVERIFY2(output.isEmpty() ? command.output.isEmpty() : command.output.startsWith(output),
             qPrintable(command.output));
    if (errors.isEmpty())
        QVERIFY2(command.errors.isEmpty(), qPrintable(command.errors));
    else
        QVERIFY2(OneLine(command.errors) && command.errors.contains(errors), qPrintable(command.errors));
    QCOMPARE(command.picture, picture);
}

// Help, version and mistakes need no display.
void TestStartup::answersWithoutDisplay() {
    EditorRun run = RunEditor({"--version"});
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString("laserpic " LASERPIC_VERSION "\n"));
    QCOMPARE(run.err, QString());

    run = RunEditor({"--help"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("--version") && run.err.isEmpty(), qPrintable(run.out + run.err));

    run = RunEditor({"--frobnicate", "pic.kvt"});
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(OneLine(run.err) && run.err.contains("frobnicate"), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

// No display, or one that is not there: one line naming it, status 1, no abort.
void TestStartup::missingDisplayEndsInOneLine() {
    int n = 90;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) ++n;
    const QString display = QStringLiteral(":%1").arg(n);
    for (const QString& d : {display, QString()}) {
        const EditorRun run = RunEditor({}, {}, d);
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(OneLine(run.err), qPrintable(run.err));
        QVERIFY2(run.err.contains(d.isEmpty() ? QString("DISPLAY не задан") : '"' + d + '"'),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
}

void TestStartup::pictureOnCommandLine_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");  // first line of the box; empty: opens
    const QString failed = QStringLiteral("Не удалось открыть файл");
    QTest::newRow("good") << "file" << 2048 << "";
    QTest::newRow("longer") << "file" << 3000 << "";
    QTest::newRow("short") << "file" << 1000 << failed;
    QTest::newRow("unreadable") << "unreadable" << 2048 << failed;
    QTest::newRow("folder") << "folder" << 0 << failed;
    QTest::newRow("pipe") << "pipe" << 0 << failed;
    QTest::newRow("missing") << "missing" << 0 << "Файл не найден !";
}

// A picture on the command line opens as through the open command: the same
// checks and boxes; after a failure the editor has its blank figure.
void TestStartup::pictureOnCommandLine() {
    QFETCH(QString, kind);
    QFETCH(int, size);
    QFETCH(QString, message);
    if (kind == "unreadable" && ::geteuid() == 0) QSKIP("permission bits do not stop root from reading");
    QTemporaryDir dir;
    const QString file = dir.filePath("start.kvt");
    const QByteArray bytes = RandomBytes(size);
    if (kind == "file" || kind == "unreadable") QVERIFY(WriteBytes(file, bytes));
    if (kind == "unreadable") QVERIFY(QFile::setPermissions(file, QFile::WriteOwner));
    if (kind == "folder") QVERIFY(QDir().mkdir(file));
    if (kind == "pipe") QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0644) == 0);

    ScriptedDialogs d;
    lp::EditorWindows windows = lp::CreateEditorWindows();
    TBaseForm& form = *windows.base;
    form.show();
    const lp::CommandLine command = lp::ParseCommandLine({"laserpic", file});
    QElapsedTimer clock;
    clock.start();
    lp::OpenPictureAtStartUp(form, command.picture);
    QVERIFY(clock.elapsed() < 1000);

    lp::Coords x, y;
    if (message.isEmpty()) {
        QVERIFY(d.messages.isEmpty());
        for (int i = 0; i < lp::kPointCount; ++i) {
            x[i] = uint8_t(bytes[i]);
            y[i] = uint8_t(bytes[lp::kYBlockOffset + i]);
        }
        QCOMPARE(form.windowTitle(), " Редактор картинок для лазера  [" + file + "] [no Picture] ");
        QCOMPARE(form.editor().PictureName(), QString("start"));
        QCOMPARE(form.SaveDialogPic.fileName, file);
    } else {
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(d.messages[0].text.section('\n', 0, 0), message);
        x.fill(127);
        y.fill(127);
        QCOMPARE(form.windowTitle(), kStartCaption);
        QCOMPARE(form.SaveDialogPic.fileName, QString("Pic001"));
    }
    QVERIFY(form.editor().FigureX() == x && form.editor().FigureY() == y);
    QVERIFY(form.UndoEnabled());  // as at every start: closing asks to save
}

// The windows carry the application's icon (drawn by the SVG engine) and name
// the menu entry the desktop groups them under.
void TestStartup::desktopIdentity() {
    lp::SetDesktopIdentity();
    QCOMPARE(QGuiApplication::desktopFileName(), QString("org.laserpic.LaserPic"));
    const QImage icon = QApplication::windowIcon().pixmap(48, 48).toImage();
    QCOMPARE(icon.size(), QSize(48, 48));
    int green = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const QColor c = icon.pixelColor(x, y);
            green += c.green() > 200 && c.red() < 150 && c.blue() < 180;
        }
    QVERIFY2(green > 20, qPrintable(QString::number(green)));  // the contour
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
