// ILDA interchange without a window: the writer against a hand-worked table,
// the reader on every image format, resampling, bad input, and the command-line
// conversions run as the real program.
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "app/commandline.h"
#include "figure/ilda.h"
#include "figure/ildafigure.h"
#include "figure/ildafiles.h"
#include "figure/kvtfile.h"
#include "shapes/generators.h"
#include "support/editorprogram.h"
#include "support/files.h"

using namespace lp;
using namespace ildatest;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(lp::Coords)

namespace {

struct Figure {
    Coords X{}, Y{};
};

Figure TestFigure(const QString& name) {
    Figure f;
    if (name == u"ellipse") GreateCucle(f.X, f.Y, 200, 150, 1, 1, false);
    if (name == u"frame") GreateBegin(f.X, f.Y);
    if (name == u"star") GreateStars(f.X, f.Y);
    if (name == u"ramp")
        for (int i = 0; i < kPointCount; ++i) f.X[i] = uint8_t(i), f.Y[i] = uint8_t(255 - i);
    if (name == u"random")
        for (int i = 0; i < kPointCount; ++i)
            f.X[i] = uint8_t(RandomBytes(1)[0]), f.Y[i] = uint8_t(RandomBytes(1)[0]);
    return f;
}

// Scans the bytes and imports frame `index` (from 0).
FileResult Import(const QByteArray& bytes, int index, Figure& f, IldaScan* scanOut = nullptr) {
    IldaBytes source(bytes);
    const IldaScan scan = ScanIlda(source);
    if (scanOut) *scanOut = scan;
    if (!scan.result) return scan.result;
    return ImportIldaFrame(source, scan.frames.value(index), f.X, f.Y);
}

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

std::vector<IldaPoint> Square(bool closed) {
    std::vector<IldaPoint> p = {{-16384, 16384}, {16384, 16384}, {16384, -16384}, {-16384, -16384}};
    if (closed) p.push_back(p.front());
    return p;
}

}  // namespace

class TestIlda : public QObject, FreshFolder {
    Q_OBJECT
  private slots:
    void init();
    void coordinateMapping();
    void exportMatchesHandWorkedBytes();
    void frameName_data();
    void frameName();
    void roundTrip_data();
    void roundTrip();
    void readsEveryImageFormat_data();
    void readsEveryImageFormat();
    void resamplesAtEqualSteps();
    void degeneratePaths();
    void badInput_data();
    void badInput();
    void specialFilesRefusedWithoutWaiting();
    void largeFileReadOnlyAsFarAsNeeded();
    void commandLine_data();
    void commandLine();
    void commandLineLeavesTargetOnFailure();
    void commandLineKeepsHardLinks();
    void exportInReadOnlyFolder();
};

void TestIlda::init() {
    QVERIFY(renewFolder());
}

void TestIlda::coordinateMapping() {
    QCOMPARE(IldaFromX(127), int16_t(0));
    QCOMPARE(IldaFromY(127), int16_t(0));
    QCOMPARE(IldaFromX(0), int16_t(-32512));
    QCOMPARE(IldaFromX(255), int16_t(32767));  // 32768 is one past the range
    QCOMPARE(IldaFromY(0), int16_t(32512));    // Y grows upwards
    QCOMPARE(IldaFromY(255), int16_t(-32768));
    for (int v = 0; v < 256; ++v) {
        QCOMPARE(XFromIlda(IldaFromX(uint8_t(v))), uint8_t(v));
        QCOMPARE(YFromIlda(IldaFromY(uint8_t(v))), uint8_t(v));
    }
    // The whole ILDA range lands on the field.
    QCOMPARE(XFromIlda(-32768), uint8_t(0));
    QCOMPARE(XFromIlda(32767), uint8_t(255));
    QCOMPARE(YFromIlda(32767), uint8_t(0));
    QCOMPARE(YFromIlda(-32768), uint8_t(255));
}

void TestIlda::exportMatchesHandWorkedBytes() {
    Figure f;
    f.X.fill(127);
    f.Y.fill(127);
    f.X[1] = 0, f.Y[1] = 0;
    f.X[2] = 255, f.Y[2] = 255;
    f.X[3] = 128, f.Y[3] = 126;
    const QByteArray bytes = ExportIlda(f.X, f.Y, u"Pic 01"_s);
    QCOMPARE(bytes.size(), 32 + 257 * 8 + 32);
    //                 magic     format    name "Pic 01  "   company "laserpic"  257  frame 0  of 1  projector
    QCOMPARE(bytes.left(32), Hex("494C4441 00000005 5069632030312020 6C61736572706963 0101 0000 0001 0000"));
    //                    X     Y     status  B  G  R
    QCOMPARE(bytes.mid(32, 32), Hex("0000 0000 00 00FF00"              // (127, 127): the centre
                                    "8100 7F00 00 00FF00"              // (0, 0): left, top
                                    "7FFF 8000 00 00FF00"              // (255, 255): right, bottom
                                    "0100 0100 00 00FF00"));           // (128, 126)
    QCOMPARE(bytes.mid(32 + 256 * 8, 8), Hex("0000 0000 80 00FF00"));  // point 0 again, the last
    QCOMPARE(bytes.right(32), Hex("494C4441 00000005 5069632030312020 6C61736572706963 0000 0001 0001 0000"));
    for (int i = 0; i < 256; ++i) QCOMPARE(uint8_t(bytes[32 + i * 8 + 4]), uint8_t(0));  // all lit
}

void TestIlda::frameName_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("short") << u"ramp"_s << QByteArray("ramp    ");
    QTest::newRow("long") << u"butterfly-2"_s << QByteArray("butterfl");
    QTest::newRow("no name yet") << u"No-Name-"_s << QByteArray("laserpic");
    QTest::newRow("no file") << u" NoName "_s << QByteArray("laserpic");
    QTest::newRow("empty") << u""_s << QByteArray("laserpic");
    QTest::newRow("cyrillic") << u"звезда"_s << QByteArray("laserpic");
    QTest::newRow("mixed") << u"звезда7"_s << QByteArray("7       ");
}

void TestIlda::frameName() {
    QFETCH(QString, picture);
    QFETCH(QByteArray, name);
    QCOMPARE(IldaFrameName(picture), name);
}

void TestIlda::roundTrip_data() {
    QTest::addColumn<QString>("figure");
    for (const char* name : {"ellipse", "frame", "star", "ramp", "random"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestIlda::roundTrip() {
    QFETCH(QString, figure);
    const Figure original = TestFigure(figure);
    Figure back;
    back.X.fill(1);
    IldaScan scan;
    QVERIFY(Import(ExportIlda(original.X, original.Y, figure), 0, back, &scan));
    QCOMPARE(scan.frames.size(), 1);
    QCOMPARE(scan.frames[0].pointCount, 257);
    QCOMPARE(scan.frames[0].format, 5);
    QCOMPARE(back.X, original.X);
    QCOMPARE(back.Y, original.Y);
}

void TestIlda::readsEveryImageFormat_data() {
    QTest::addColumn<int>("format");
    for (int format : {0, 1, 4, 5}) QTest::newRow(qPrintable(u"format %1"_s.arg(format))) << format;
}

void TestIlda::readsEveryImageFormat() {
    QFETCH(int, format);
    // A palette first, then three frames with a colour table between them.
    std::vector<IldaPoint> line = {{-32768, 0}, {32767, 0, true}};
    std::vector<IldaPoint> exact(256);
    for (int i = 0; i < 256; ++i) exact[i] = {IldaFromX(uint8_t(i)), IldaFromY(uint8_t(i / 2)), i % 7 == 0};
    const QByteArray file = Colours(2, 64) + Frame(format, "line", line, 0) + Colours(3, 2) +
                            Frame(format, "exact256", exact, 1) + Frame(format, "square", Square(true), 2) +
                            End() + QByteArray("trailing bytes are never read");
    IldaScan scan;
    Figure f;
    QVERIFY(Import(file, 1, f, &scan));
    QCOMPARE(scan.frames.size(), 3);
    const struct {
        int number;
        const char* name;
        int points;
    } listed[] = {{1, "line", 2}, {2, "exact256", 256}, {3, "square", 5}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(scan.frames[i].number, listed[i].number);
        QCOMPARE(scan.frames[i].name, QString::fromLatin1(listed[i].name));
        QCOMPARE(scan.frames[i].company, u"tests"_s);
        QCOMPARE(scan.frames[i].pointCount, listed[i].points);
        QCOMPARE(scan.frames[i].format, format);
    }
    // 256 points keep their places, blanked ones included.
    for (int i = 0; i < 256; ++i) {
        QCOMPARE(f.X[i], uint8_t(i));
        QCOMPARE(f.Y[i], uint8_t(i / 2));
    }
    // The points themselves, status and Z read at the right place.
    IldaBytes source(file);
    std::vector<IldaPoint> points;
    QVERIFY(ReadIldaPoints(source, scan.frames[0], points));
    QCOMPARE(points.size(), size_t(2));
    QCOMPARE(points[0].x, -32768);
    QCOMPARE(points[1].x, 32767);
    QVERIFY(!points[0].blanked);
    QVERIFY(points[1].blanked);
    // A two-point line is a path there and back: the ends at 0 and 128.
    QVERIFY(ImportIldaFrame(source, scan.frames[0], f.X, f.Y));
    QCOMPARE(f.X[0], uint8_t(0));
    QCOMPARE(f.X[128], uint8_t(255));
    QCOMPARE(f.X[64], uint8_t(127));
    QCOMPARE(f.Y, [] {
        Coords c;
        c.fill(127);
        return c;
    }());
}

void TestIlda::resamplesAtEqualSteps() {
    // Four corners, with or without the repeated closing point: 64 points a
    // side, the first point on the first corner.
    for (bool closed : {false, true}) {
        Figure f;
        IldaToFigure(Square(closed), f.X, f.Y);
        for (int k = 0; k < 64; ++k) {
            const int step = 2 * k;
            QCOMPARE(QPoint(f.X[k], f.Y[k]), QPoint(63 + step, 63));
            QCOMPARE(QPoint(f.X[64 + k], f.Y[64 + k]), QPoint(191, 63 + step));
            QCOMPARE(QPoint(f.X[128 + k], f.Y[128 + k]), QPoint(191 - step, 191));
            QCOMPARE(QPoint(f.X[192 + k], f.Y[192 + k]), QPoint(63, 191 - step));
        }
    }
    // A triangle whose corners carry very different numbers of points: the
    // steps come out even all round, and the first point stays where it was.
    std::vector<IldaPoint> path;
    for (int i = 0; i < 900; ++i)
        path.push_back({-20000 + i * 40000 / 900, -20000});  // dense along the bottom
    path.push_back({20000, -20000});
    path.push_back({0, 20000});  // the two other sides: one point each
    Figure f;
    IldaToFigure(path, f.X, f.Y);
    QCOMPARE(QPoint(f.X[0], f.Y[0]), QPoint(XFromIlda(-20000), YFromIlda(-20000)));
    const double side = std::hypot(20000.0, 40000.0);
    const double stepIlda = (40000 + 2 * side) / 256;
    const int turns[] = {int(40000 / stepIlda), int((40000 + side) / stepIlda)};
    const double step = stepIlda / 256;  // in field units
    for (int k = 0; k < 256; ++k) {
        const int j = (k + 1) % 256;
        const double d = std::hypot(f.X[j] - f.X[k], f.Y[j] - f.Y[k]);
        // Rounding moves each end by up to half a unit in X and Y; a step that
        // turns a corner is shorter.
        const bool turning = k == turns[0] || k == turns[1];
        QVERIFY2(d <= step + 1.42 && (turning || d >= step - 1.42),
                 qPrintable(u"step %1: %2, expected %3"_s.arg(k).arg(d).arg(step)));
    }
    // A 10 000-point circle comes out on the circle, starting where it did.
    std::vector<IldaPoint> circle(10000);
    for (int i = 0; i < 10000; ++i)
        circle[i] = {int(std::lround(25600 * std::cos(i * 2 * M_PI / 10000))),
                     int(std::lround(25600 * std::sin(i * 2 * M_PI / 10000)))};
    IldaToFigure(circle, f.X, f.Y);
    QCOMPARE(QPoint(f.X[0], f.Y[0]), QPoint(227, 127));
    QCOMPARE(QPoint(f.X[64], f.Y[64]), QPoint(127, 27));  // a quarter on, Y upwards in the file
    for (int k = 0; k < 256; ++k) QVERIFY(std::abs(std::hypot(f.X[k] - 127, f.Y[k] - 127) - 100) < 1.0);
}

void TestIlda::degeneratePaths() {
    const struct {
        const char* name;
        std::vector<IldaPoint> points;
    } cases[] = {
        {"one point", {{1000, -2000}}},
        {"all coincide", std::vector<IldaPoint>(50, IldaPoint{1000, -2000, false})},
        {"two coincide", {{1000, -2000}, {1000, -2000, true}}},
    };
    for (const auto& c : cases) {
        Figure f;
        IldaToFigure(c.points, f.X, f.Y);
        for (int i = 0; i < 256; ++i) QVERIFY2(f.X[i] == 131 && f.Y[i] == 135, c.name);
    }
}

void TestIlda::badInput_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray frame = Frame(5, "f", Square(false));
    QByteArray over = Header(5, "f", 100);
    over.append(80, '\0');
    QTest::newRow("0 bytes") << QByteArray() << u"Файл пуст"_s;
    QTest::newRow("wrong magic") << QByteArray("ILDB").append(frame.mid(4)) << u"Это не файл ILDA"_s;
    QTest::newRow("text") << QByteArray("hi") << u"Это не файл ILDA"_s;
    QTest::newRow("kvt picture") << QByteArray(2048, '\x7F') << u"Это не файл ILDA"_s;
    QTest::newRow("header cut short") << frame.left(20) << u"Заголовок обрезан: 20 байт из 32 (смещение 0)"_s;
    QTest::newRow("second header cut short")
        << frame + End().left(10) << u"Заголовок обрезан: 10 байт из 32 (смещение %1)"_s.arg(frame.size());
    QTest::newRow("more records than data")
        << over << u"Записей в заголовке: 100 (800 байт), а до конца файла 80 байт (смещение 0)"_s;
    QTest::newRow("format 6") << Header(6, "f", 1) + QByteArray(8, '\0') << u"Неизвестный код формата 6"_s;
    QTest::newRow("format 255") << Header(255, "f", 0) << u"Неизвестный код формата 255"_s;
    QTest::newRow("end header only") << End() << u"В файле нет кадров"_s;
    QTest::newRow("palettes only") << Colours(2, 16) + Colours(3, 4) + End() << u"В файле нет кадров"_s;
    QTest::newRow("junk after a frame")
        << frame + QByteArray(40, 'x') << u"Нет подписи «ILDA» в заголовке (смещение %1)"_s.arg(frame.size());
}

void TestIlda::badInput() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    // From memory and from a file: the same answer.
    IldaBytes memory(bytes);
    IldaScan scan = ScanIlda(memory);
    QVERIFY(!scan.result);
    QVERIFY2(scan.result.error.startsWith(message), qPrintable(scan.result.error));
    QVERIFY(WriteBytes(path(u"bad.ild"_s), bytes));
    IldaFile file;
    QVERIFY(file.open(path(u"bad.ild"_s)));
    scan = ScanIlda(file);
    QVERIFY2(scan.result.error.startsWith(message), qPrintable(scan.result.error));
    QVERIFY(!scan.result.error.contains(u'\n'));
}

void TestIlda::specialFilesRefusedWithoutWaiting() {
    const QString fifo = path(u"pipe.ild"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {fifo, u"Это не обычный файл, а именованный канал"_s},
        {u"/dev/zero"_s, u"Это не обычный файл, а устройство"_s},
        {dir_->path(), u"Это папка, а не файл"_s},
        {path(u"missing.ild"_s), u"Файл не найден"_s},
    };
    for (const auto& c : cases) {
        QElapsedTimer clock;
        clock.start();
        IldaFile file;
        const FileResult opened = file.open(c.path);
        QVERIFY(!opened);
        QVERIFY2(opened.error.startsWith(c.message), qPrintable(opened.error));
        QVERIFY(clock.elapsed() < 1000);
    }
}

void TestIlda::largeFileReadOnlyAsFarAsNeeded() {
    // Tens of megabytes after the end header, and a frame of 65 535 points.
    std::vector<IldaPoint> many(65535);
    for (int i = 0; i < 65535; ++i) many[i] = {(i % 512) * 128 - 32768, (i / 512) * 256 - 16384};
    const QByteArray head = Frame(5, "small", Square(true)) + Frame(0, "big", many) + End();
    QFile out(path(u"big.ild"_s));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(head);
    QVERIFY(out.resize(40 * 1024 * 1024));
    out.close();

    IldaFile file;
    QVERIFY(file.open(path(u"big.ild"_s)));
    const IldaScan scan = ScanIlda(file);
    QVERIFY(scan.result);
    QCOMPARE(scan.frames.size(), 2);
    QCOMPARE(scan.frames[1].pointCount, 65535);
    QCOMPARE(file.bytesRead(), 3 * 32);  // the headers only
    Figure f;
    QVERIFY(ImportIldaFrame(file, scan.frames[0], f.X, f.Y));
    QCOMPARE(file.bytesRead(), 3 * 32 + 5 * 8);
    QVERIFY(ImportIldaFrame(file, scan.frames[1], f.X, f.Y));
    QCOMPARE(file.bytesRead(), 3 * 32 + 5 * 8 + 65535 * 8);  // 3-D indexed: 8 bytes a point
    // Opened again, the file held before is closed.
    const qsizetype open = QDir(u"/proc/self/fd"_s).count();
    for (int i = 0; i < 3; ++i) QVERIFY(file.open(path(u"big.ild"_s)));
    QCOMPARE(QDir(u"/proc/self/fd"_s).count(), open);
}

void TestIlda::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");   // start of the one line on standard error
    QTest::addColumn<QString>("output");  // file that must then hold the expected bytes
    QTest::newRow("export") << QStringList{u"--export-ilda"_s, u"star.kvt"_s, u"star.ild"_s} << 0 << u""_s
                            << u"star.ild"_s;
    QTest::newRow("import first") << QStringList{u"--import-ilda"_s, u"two.ild"_s, u"first.kvt"_s} << 0
                                  << u""_s << u"first.kvt"_s;
    QTest::newRow("import --frame 2")
        << QStringList{u"--import-ilda"_s, u"two.ild"_s, u"second.kvt"_s, u"--frame"_s, u"2"_s} << 0 << u""_s
        << u"second.kvt"_s;
    QTest::newRow("--frame first") << QStringList{u"--frame"_s, u"2"_s, u"--import-ilda"_s, u"two.ild"_s,
                                                  u"second.kvt"_s}
                                   << 0 << u""_s << u"second.kvt"_s;
    QTest::newRow("frame 3 of 2") << QStringList{u"--import-ilda"_s, u"two.ild"_s, u"x.kvt"_s, u"--frame"_s,
                                                 u"3"_s}
                                  << 1 << u"laserpic: two.ild: нет кадра 3, кадров в файле: 2"_s << u""_s;
    QTest::newRow("frame 0") << QStringList{u"--import-ilda"_s, u"two.ild"_s, u"x.kvt"_s, u"--frame"_s,
                                            u"0"_s}
                             << 2 << u"laserpic: после --frame нужен номер кадра"_s << u""_s;
    QTest::newRow("not ILDA") << QStringList{u"--import-ilda"_s, u"star.kvt"_s, u"x.kvt"_s} << 1
                              << u"laserpic: star.kvt: Это не файл ILDA"_s << u""_s;
    QTest::newRow("short picture") << QStringList{u"--export-ilda"_s, u"short.kvt"_s, u"x.ild"_s} << 1
                                   << u"laserpic: short.kvt: "_s << u""_s;
    QTest::newRow("missing picture") << QStringList{u"--export-ilda"_s, u"none.kvt"_s, u"x.ild"_s} << 1
                                     << u"laserpic: none.kvt: "_s << u""_s;
    QTest::newRow("output in a missing folder")
        << QStringList{u"--export-ilda"_s, u"star.kvt"_s, u"no/such/x.ild"_s} << 1
        << u"laserpic: no/such/x.ild: "_s << u""_s;
    QTest::newRow("one path") << QStringList{u"--export-ilda"_s, u"star.kvt"_s} << 2
                              << u"laserpic: ожидается: --export-ilda КАРТИНКА.kvt ВЫХОД.ild"_s << u""_s;
    QTest::newRow("--frame on export")
        << QStringList{u"--export-ilda"_s, u"star.kvt"_s, u"x.ild"_s, u"--frame"_s, u"1"_s} << 2
        << u"laserpic: ожидается: --export-ilda"_s << u""_s;
    QTest::newRow("both ways") << QStringList{u"--export-ilda"_s, u"--import-ilda"_s, u"a"_s, u"b"_s} << 2
                               << u"laserpic: одно преобразование за раз"_s << u""_s;
    QTest::newRow("unknown option") << QStringList{u"--import-ilda"_s, u"two.ild"_s, u"x.kvt"_s, u"--fast"_s}
                                    << 2 << u"laserpic: неизвестный параметр --fast"_s << u""_s;
}

void TestIlda::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, error);
    QFETCH(QString, output);

    const Figure star = TestFigure(u"star"_s), ramp = TestFigure(u"ramp"_s);
    PictureBytes image;
    image.fill(0x7F);
    FigureToImage(star.X, star.Y, image);
    QVERIFY(WritePictureFile(path(u"star.kvt"_s), image));
    QVERIFY(WriteBytes(path(u"short.kvt"_s), QByteArray(1000, '\x10')));
    QVERIFY(WriteBytes(path(u"two.ild"_s), ExportIlda(star.X, star.Y, u"star"_s).chopped(32) +
                                               ExportIlda(ramp.X, ramp.Y, u"ramp"_s)));

    // The real program, without any display to talk to.
    const EditorRun program = RunEditor(args, dir_->path());
    QVERIFY(program.finished);
    QCOMPARE(program.status, QProcess::NormalExit);
    const QString& stderrText = program.err;
    QCOMPARE(program.exitCode, status);
    QVERIFY(program.out.isEmpty());
    if (status == 0) {
        QVERIFY2(stderrText.isEmpty(), qPrintable(stderrText));
    } else {
        QVERIFY2(stderrText.startsWith(error), qPrintable(stderrText));
        QCOMPARE(stderrText.count(u'\n'), 1);
        QVERIFY(stderrText.endsWith(u'\n'));
        QVERIFY(!QFileInfo::exists(path(u"x.kvt"_s)) && !QFileInfo::exists(path(u"x.ild"_s)));
    }
    if (output.isEmpty()) return;
    QByteArray expected;
    if (output.endsWith(u".ild")) {
        expected = ExportIlda(star.X, star.Y, u"star"_s);
    } else {
        const Figure& f = output == u"first.kvt" ? star : ramp;
        PictureBytes picture;
        picture.fill(0x7F);
        FigureToImage(f.X, f.Y, picture);
        expected = QByteArray(reinterpret_cast<const char*>(picture.data()), kFileImageSize);
    }
    QCOMPARE(ReadBytes(path(output)), expected);
}

namespace {

// A conversion run in this process, as the program runs it.
int RunIldaCommand(const QStringList& args) {
    return lp::RunConversion(lp::ParseCommandLine(args));
}

}  // namespace

void TestIlda::commandLineLeavesTargetOnFailure() {
    // A failed import leaves the picture file that stood there as it was.
    QVERIFY(WriteBytes(path(u"keep.kvt"_s), QByteArray(2048, '\x33')));
    QVERIFY(WriteBytes(path(u"bad.ild"_s), QByteArray("ILDA")));
    const QString in = path(u"bad.ild"_s), out = path(u"keep.kvt"_s);
    QCOMPARE(RunIldaCommand({u"laserpic"_s, u"--import-ilda"_s, in, out}), 1);
    QCOMPARE(ReadBytes(out), QByteArray(2048, '\x33'));
    // A pipe where the ILDA file should go is refused, not replaced by a file.
    const QString fifo = path(u"pipe.ild"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(WriteBytes(path(u"a.kvt"_s), QByteArray(2048, '\x40')));
    QCOMPARE(RunIldaCommand({u"laserpic"_s, u"--export-ilda"_s, path(u"a.kvt"_s), fifo}), 1);
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    // Arguments that ask for no conversion are left to the rest of the program.
    QCOMPARE(RunIldaCommand({u"laserpic"_s}), -1);
    QCOMPARE(RunIldaCommand({u"laserpic"_s, u"picture.kvt"_s}), -1);
    QCOMPARE(RunIldaCommand({u"laserpic"_s, u"--help"_s}), -1);
    // The program's --help lists both, without a display.
    const EditorRun program = RunEditor({u"--help"_s});
    QVERIFY(program.finished);
    QCOMPARE(program.exitCode, 0);
    const QString& help = program.out;
    QVERIFY2(help.contains(u"--export-ilda КАРТИНКА.kvt ВЫХОД.ild"_s), qPrintable(help));
    QVERIFY(help.contains(u"--import-ilda ВХОД.ild ВЫХОД.kvt [--frame N]"_s));
}

// Both conversions write a file with another name where it stands.
void TestIlda::commandLineKeepsHardLinks() {
    const Figure star = TestFigure(u"star"_s);
    PictureBytes image;
    image.fill(0x7F);
    FigureToImage(star.X, star.Y, image);
    const QByteArray ild = ExportIlda(star.X, star.Y, u"star"_s);
    QVERIFY(WritePictureFile(path(u"star.kvt"_s), image) && WriteBytes(path(u"star.ild"_s), ild));
    const QByteArray kvt(reinterpret_cast<const char*>(image.data()), kFileImageSize);
    for (const auto& [option, in, out, expected] :
         {std::tuple{u"--export-ilda"_s, u"star.kvt"_s, u"out.ild"_s, ild},
          std::tuple{u"--import-ilda"_s, u"star.ild"_s, u"out.kvt"_s, kvt}}) {
        QVERIFY(WriteBytes(path(out), "old"));
        QCOMPARE(::link(QFile::encodeName(path(out)), QFile::encodeName(path(out) + u".link"_s)), 0);
        QCOMPARE(RunIldaCommand({u"laserpic"_s, option, path(in), path(out)}), 0);
        QCOMPARE(ReadBytes(path(out) + u".link"_s), expected);
        QCOMPARE(ReadBytes(path(out)), expected);
    }
}

// As the picture file: in a folder that may not be written an existing file
// is rewritten where it stands and no new one is made; a file of another
// owner keeps its owner.
void TestIlda::exportInReadOnlyFolder() {
    const QString locked = path(u"locked"_s), open = path(u"open"_s);
    QVERIFY(QDir().mkdir(locked) && QDir().mkdir(open));
    QVERIFY(WriteBytes(locked + u"/pic.ild"_s, "old") && WriteBytes(open + u"/theirs.ild"_s, "old"));
    const bool root = ::geteuid() == 0;
    if (root) {
        for (const QString& p : {locked, locked + u"/pic.ild"_s})
            QVERIFY(::chown(QFile::encodeName(p).constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
    }
    QVERIFY(::chmod(QFile::encodeName(open).constData(), 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName((open + u"/theirs.ild"_s)).constData(), 0666) == 0);
    QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0555) == 0);
    const Figure f = TestFigure(u"star"_s);
    auto body = [&]() -> QString {
        if (WriteBytes(locked + u"/probe"_s, "x")) return u"SKIP"_s;
        for (const QString& target : {locked + u"/pic.ild"_s, open + u"/theirs.ild"_s})
            if (const FileResult r = ExportIldaFile(target, f.X, f.Y, u"star"_s); !r) return r.error;
        if (ExportIldaFile(locked + u"/new.ild"_s, f.X, f.Y, u"star"_s)) return u"created in locked folder"_s;
        return {};
    };
    const std::optional<QString> complaint = root ? RunUnprivileged(body) : std::optional(body());
    ::chmod(QFile::encodeName(locked).constData(), 0755);
    if (!complaint) QSKIP("runs as root and cannot switch to an unprivileged user");
    if (*complaint == u"SKIP") QSKIP("permission bits do not stop this user from writing the folder");
    QVERIFY2(complaint->isEmpty(), qPrintable(*complaint));
    QCOMPARE(ReadBytes(locked + u"/pic.ild"_s), ExportIlda(f.X, f.Y, u"star"_s));
    QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{u"pic.ild"_s});
    QCOMPARE(ReadBytes(open + u"/theirs.ild"_s), ExportIlda(f.X, f.Y, u"star"_s));
    QCOMPARE(QFileInfo(open + u"/theirs.ild"_s).ownerId(), ::getuid() == 0 ? 0u : ::getuid());
}

QTEST_GUILESS_MAIN(TestIlda)
#include "test_ilda.moc"
