// The tracing command line, run as the program itself without a display: exit
// codes, the one line on standard error, and no file written on failure.
#include <sys/stat.h>

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "support/editorprogram.h"
#include "support/files.h"

namespace {

QString Dots(int count, double radius) {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::black);
    for (int i = 0; i < count; ++i)
        painter.drawEllipse(QPointF(80 + (i % 8) * 120, 80 + (i / 8) * 120 % 900), radius, radius);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

}  // namespace

class TestTraceCli : public QObject {
    Q_OBJECT
  private slots:
    void exitCodes_data();
    void exitCodes();
    void linesFollowTheMiddle();
};

void TestTraceCli::exitCodes_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("lines");     // on standard error
    QTest::addColumn<QString>("says");  // on standard error
    const QString out = QStringLiteral("out.kvt");
    QTest::newRow("frame") << QStringList{"--trace", "frame.png", out} << 0 << 0 << QString();
    QTest::newRow("light on dark") << QStringList{"--trace", "frame.png", out, "--invert"} << 0 << 0
                                   << QString();
    QTest::newRow("dark, inverted") << QStringList{"--trace", "black.png", out, "--invert"} << 1 << 1
                                    << QString();
    QTest::newRow("svg") << QStringList{"--trace", "ring.svg", out, "--size", "120", "--threshold", "200"}
                         << 0 << 0 << QString();
    QTest::newRow("lines") << QStringList{"--trace", "ring.svg", out, "--lines", "--size", "120"} << 0 << 0
                           << QString();
    QTest::newRow("thin grey row, every detail")
        << QStringList{"--trace", "row.png", out, "--detail", "0"} << 0 << 0 << QString();
    QTest::newRow("detail 1,5") << QStringList{"--trace", "frame.png", out, "--detail", "1,5"} << 0 << 0
                                << QString();
    QTest::newRow("detail 20,5") << QStringList{"--trace", "frame.png", out, "--detail", "20,5"} << 2 << 1
                                 << "--detail";
    QTest::newRow("detail of text") << QStringList{"--text", "A", out, "--detail", "1"} << 2 << 1
                                    << QString();
    QTest::newRow("too much detail") << QStringList{"--trace", "dots.png", out} << 0 << 1 << "--parts N";
    QTest::newRow("comb too long to draw legibly")
        << QStringList{"--trace", "comb.png", out, "--outline"} << 0 << 1 << "(--size)";
    QTest::newRow("text") << QStringList{"--text", "LASER", out, "--bold", "--size", "255"} << 0 << 0
                          << QString();
    QTest::newRow("no such font") << QStringList{"--text", "Ab", out, "--font", "No Such Family"} << 0 << 1
                                  << QString();
    QTest::newRow("no ink") << QStringList{"--trace", "white.png", out} << 1 << 1 << "(--ink light)";
    QTest::newRow("all ink") << QStringList{"--trace", "black.png", out} << 1 << 1 << QString();
    QTest::newRow("not a picture") << QStringList{"--trace", "text.png", out} << 1 << 1 << QString();
    QTest::newRow("missing") << QStringList{"--trace", "missing.png", out} << 1 << 1 << QString();
    QTest::newRow("fifo") << QStringList{"--trace", "pipe.png", out} << 1 << 1 << QString();
    QTest::newRow("over the limits") << QStringList{"--trace", "huge.bmp", out} << 1 << 1 << QString();
    QTest::newRow("svg naming files")
        << QStringList{"--trace", "linked.svg", out} << 1 << 1 << "«/etc/passwd»";
    QTest::newRow("empty text") << QStringList{"--text", " ", out} << 1 << 1 << QString();
    QTest::newRow("folder as output") << QStringList{"--text", "A", "."} << 1 << 1 << QString();
    QTest::newRow("no output") << QStringList{"--trace", "frame.png"} << 2 << 1 << QString();
    QTest::newRow("a file too many") << QStringList{"--trace", "frame.png", out, "more.kvt"} << 2 << 1
                                     << "ожидается";
    QTest::newRow("beam nearly still")
        << QStringList{"--trace", "frame.png", out, "--size", "10"} << 0 << 1 << "Луч почти стоит на месте";
    QTest::newRow("size too small") << QStringList{"--trace", "frame.png", out, "--size", "9"} << 2 << 1
                                    << QString();
    QTest::newRow("threshold") << QStringList{"--trace", "frame.png", out, "--threshold", "256"} << 2 << 1
                               << QString();
    QTest::newRow("unknown option") << QStringList{"--text", "A", out, "--fast"} << 2 << 1 << QString();
    QTest::newRow("invert on text") << QStringList{"--text", "A", out, "--invert"} << 2 << 1 << QString();
    QTest::newRow("lines of text") << QStringList{"--text", "A", out, "--lines"} << 2 << 1 << QString();
    QTest::newRow("white on transparent") << QStringList{"--trace", "logo.png", out} << 0 << 0 << QString();
    QTest::newRow("ink dark on a dark ground")
        << QStringList{"--trace", "frame.png", out, "--ink", "dark"} << 1 << 1 << "(--ink light)";
    QTest::newRow("ink light on a light ground")
        << QStringList{"--trace", "dots.png", out, "--ink", "light"} << 1 << 1 << "(--ink dark)";
    QTest::newRow("largest parts") << QStringList{"--trace", "dots.png", out, "--parts", "2"} << 0 << 1
                                   << "частей 2 из 64";
    QTest::newRow("outline forced") << QStringList{"--trace", "frame.png", out, "--outline"} << 0 << 0
                                    << QString();
    QTest::newRow("svg, element not there") << QStringList{"--trace", "pgf.svg", out} << 0 << 0 << QString();
    QTest::newRow("text on two lines") << QStringList{"--text", "LA\nSER", out} << 0 << 0 << QString();
    QTest::newRow("outline and lines")
        << QStringList{"--trace", "frame.png", out, "--outline", "--lines"} << 2 << 1 << "--outline";
    QTest::newRow("no such ink") << QStringList{"--trace", "frame.png", out, "--ink", "grey"} << 2 << 1
                                 << "--ink";
    QTest::newRow("no parts") << QStringList{"--trace", "frame.png", out, "--parts", "0"} << 2 << 1
                              << "--parts";
    QTest::newRow("two at once") << QStringList{"--text", "A", "--trace", "frame.png", out} << 2 << 1
                                 << QString();
}

void TestTraceCli::exitCodes() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(int, lines);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QVERIFY(picture.save(d + "white.png"));
    picture.fill(Qt::black);
    QVERIFY(picture.save(d + "black.png"));
    QPainter(&picture).fillRect(100, 50, 200, 200, Qt::white);
    QVERIFY(QImage(picture).save(d + "frame.png"));  // a light square in a dark frame
    QImage logo(300, 300, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    QPainter(&logo).fillRect(50, 50, 200, 100, Qt::white);
    QVERIFY(logo.save(d + "logo.png"));
    QImage row(977, 8, QImage::Format_RGB32);
    row.fill(Qt::white);
    QPainter(&row).fillRect(0, 4, 977, 1, Qt::gray);
    QVERIFY(row.save(d + "row.png"));
    QImage comb(1024, 768, QImage::Format_RGB32);  // teeth whose outline needs steps longer than 11
    comb.fill(Qt::white);
    QPainter teeth(&comb);
    teeth.fillRect(40, 40, 944, 40, Qt::black);
    for (int k = 0; k < 40; ++k) teeth.fillRect(40 + k * 24, 40, 12, 680, Qt::black);
    teeth.end();
    QVERIFY(comb.save(d + "comb.png"));
    QVERIFY(WriteBytes(d + "dots.png", QByteArray::fromBase64(Dots(64, 14).toLatin1())));
    QVERIFY(WriteBytes(d + "text.png", "not a picture\n"));
    QVERIFY(WriteBytes(d + "ring.svg",
                       "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100'>"
                       "<circle cx='50' cy='50' r='40' fill='none' stroke='#000' "
                       "stroke-width='10'/></svg>"));
    QVERIFY(WriteBytes(d + "linked.svg",
                       "<svg xmlns='http://www.w3.org/2000/svg' "
                       "xmlns:xlink='http://www.w3.org/1999/xlink' width='10' height='10'>"
                       "<image xlink:href='/etc/passwd' width='10' height='10'/></svg>"));
    QVERIFY(WriteBytes(d + "pgf.svg",  // a drawing program's reference to an element it left out
                       "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                       "width='10' height='10'><g xlink:href='#x_pgf'/><rect width='5' height='5'/></svg>"));
    QByteArray bmp("BM", 2);  // a header declaring 9000 x 9000 pixels
    bmp += QByteArray::fromHex("000000000000000036000000280000002823000028230000010018000000000000");
    QVERIFY(WriteBytes(d + "huge.bmp", bmp + QByteArray(64, '\0')));
    QCOMPARE(mkfifo(QFile::encodeName(d + "pipe.png").constData(), 0600), 0);

    const EditorRun run = RunEditor(args, d);
    QVERIFY(run.finished);
    const QString& err = run.err;
    QCOMPARE(run.exitCode, status);
    QCOMPARE(err.count(QLatin1Char('\n')), lines);
    QVERIFY2(err.contains(says), qPrintable(err));
    const QByteArray kvt = ReadBytes(d + "out.kvt");
    QCOMPARE(kvt.size(), status == 0 ? 2048 : 0);
    QVERIFY(!QFile::exists(d + "more.kvt"));
    const bool still = err.contains(u"Луч почти стоит");  // 256 points on 40 units of route repeat
    for (int i = 0; i < 256 && status == 0 && !still; ++i)
        QVERIFY(kvt[i] != kvt[(i + 1) % 256] || kvt[1024 + i] != kvt[1024 + (i + 1) % 256]);
}

// --lines writes the middle of a ring's stroke (radius 40 of 100, fitted to
// 120 units: 60), not its edges (45 and 35: 60 and 46.7).
void TestTraceCli::linesFollowTheMiddle() {
    QTemporaryDir dir;
    QVERIFY(WriteBytes(dir.filePath("ring.svg"),
                       "<svg xmlns='http://www.w3.org/2000/svg' width='100' "
                       "height='100'><circle cx='50' cy='50' r='40' fill='none' "
                       "stroke='#000' stroke-width='10'/></svg>"));
    const EditorRun run =
        RunEditor({"--trace", "ring.svg", "out.kvt", "--lines", "--size", "120"}, dir.path());
    QVERIFY(run.finished && run.exitCode == 0);
    const QByteArray kvt = ReadBytes(dir.filePath("out.kvt"));
    for (int i = 0; i < 256; ++i)
        QVERIFY(std::abs(std::hypot(uchar(kvt[i]) - 127, uchar(kvt[1024 + i]) - 127) - 60) <= 1.5);
}

QTEST_MAIN(TestTraceCli)
#include "test_trace_cli.moc"
