// The background tracing picture as the user meets it: loaded through the
// button from real files made by another program, placed by the size bars,
// drawn beneath the figure, and bad files refused with nothing lost.
#include <zlib.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <atomic>
#include <thread>

#include "app/baseform.h"
#include "picture/picturefile.h"
#include "picture/picturefilter.h"
#include "support/basewindow.h"
#include "support/convert.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "widgets/picturepreview.h"
#include "widgets/speedbutton.h"
#include "widgets/waitwork.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kLime(0, 255, 0), kYellow(255, 255, 0), kGrey(128, 128, 128),
    kWhite(255, 255, 255);

bool Near(const QColor& a, const QColor& b, int tolerance = 40) {
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

// 64 x 48 (or w x h): red, blue over lime, yellow quadrants.
bool ConvertQuadrants(const QString& path, int w = 64, int h = 48) {
    const QString half = QStringLiteral("%1x%2").arg(w / 2).arg(h / 2);
    return !Convert({"-size", half, "xc:red", "xc:blue", "+append", "(", "-size", half, "xc:lime",
                     "xc:yellow", "+append", ")", "-append", path})
                .isEmpty();
}

long PeakMemoryKb() {
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}

// What a failed load must leave as it was.
struct PictureState {
    qint64 picture;
    bool shown, picVisible, web;
    QRect bounds;
    QString title, name;
    lp::Coords x, y;
    bool operator==(const PictureState&) const = default;
};

PictureState StateOf(TBaseForm& form) {
    return {win::pictureBox(form)->picture().cacheKey(),
            !win::pictureBox(form)->isHidden(),
            win::picVisibleButton(form)->Down(),
            win::webButton(form)->Down(),
            win::pictureBox(form)->geometry(),
            form.editor().pictureFile(),
            form.editor().PictureName(),
            form.editor().FigureX(),
            form.editor().FigureY()};
}

// The window's pixels over the editing field, as the user sees them.
QImage FieldOnScreen(TBaseForm& form) {
    return form.grab(win::field(form)->geometry()).toImage();
}

QByteArray PatchedPng(QByteArray png, quint32 width, quint32 height) {
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    const quint32 crc = crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17);
    qToBigEndian(crc, png.data() + 29);
    return png;
}

QByteArray PatchedBmp(QByteArray bmp, qint32 width, qint32 height) {
    qToLittleEndian(width, bmp.data() + 18);
    qToLittleEndian(height, bmp.data() + 22);
    return bmp;
}

QByteArray PatchedJpeg(QByteArray jpeg, quint16 width, quint16 height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    qToBigEndian(height, jpeg.data() + sof + 5);
    qToBigEndian(width, jpeg.data() + sof + 7);
    return jpeg;
}

QByteArray Gzip(const QByteArray& data) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    deflateEnd(&stream);
    return out;
}

}  // namespace

class PictureTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void bounds();
    void cancelChangesNothing();
    void loadEndsSecondHalfAndCreation();
    void drawnBeneathTheFigure();
    void realFiles_data();
    void realFiles();
    void badFilesChangeNothing();
    void waitingKeepsTheWindowAlive();
    void previewInTheDialog();

  private:
    void drivePreview(QFileDialog* dialog, const QString& folder);
    QTemporaryDir dir_;
    QString file(const QString& name) const { return dir_.filePath(name); }
};

void PictureTest::init() {
    if (ConvertProgram().isEmpty()) QSKIP("ImageMagick's convert is missing: run scripts/test to install it");
    QVERIFY(dir_.isValid());
}

void PictureTest::bounds() {
    TBaseForm form;
    auto* image = win::pictureBox(form);
    const QRect start(48, 72, 385, 433);
    QCOMPARE(image->geometry(), start);
    QVERIFY(image->isHidden());
    // Shown before any load, it holds the built-in sample.
    win::picVisibleButton(form)->click();
    QVERIFY(!image->isHidden());
    QCOMPARE(image->picture().size(), QSize(331, 412));
    win::picVisibleButton(form)->click();
    QVERIFY(image->isHidden());
    // The link box shows and hides the height bar but resizes nothing.
    win::togezCheck(form)->click();
    QVERIFY(!win::razmYBar(form)->isHidden());
    win::togezCheck(form)->click();
    QVERIFY(win::razmYBar(form)->isHidden());
    QCOMPARE(image->geometry(), start);

    const struct {
        int width;
        QRect expected;
    } linked[] = {{500, {13, 36, 500, 500}}, {100, {213, 236, 100, 100}}, {301, {112, 135, 301, 301}}};
    for (const auto& row : linked) {
        win::razmXBar(form)->setValue(row.width);
        QCOMPARE(image->geometry(), row.expected);
        QCOMPARE(win::razmYBar(form)->value(), row.width);
    }
    // Unlinked: the height bar moves the top and the height only, the width bar the rest.
    win::togezCheck(form)->click();
    QVERIFY(!win::razmYBar(form)->isHidden());
    win::razmYBar(form)->setValue(200);
    QCOMPARE(image->geometry(), QRect(112, 186, 301, 200));
    win::razmXBar(form)->setValue(400);
    QCOMPARE(image->geometry(), QRect(63, 186, 400, 200));
    QCOMPARE(win::razmYBar(form)->value(), 200);
}

void PictureTest::cancelChangesNothing() {
    TBaseForm form;
    ScriptedDialogs dialogs;
    form.editor().setHalf128(true);
    win::cucleButton(form)->SetDown(true);
    const PictureState before = StateOf(form);
    win::loadPictureButton(form)->click();
    QCOMPARE(dialogs.fileDialogs.size(), 1);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(StateOf(form) == before);
    QVERIFY(win::half128Button(form)->Down());
    QVERIFY(win::cucleButton(form)->Down());
    QCOMPARE(form.editor().PictureName(), QStringLiteral("No-Name-"));
    // The dialog offers the formats pictures are traced from, all together first.
    const QString filter = dialogs.fileDialogs[0].filter;
    QVERIFY(filter.startsWith(QStringLiteral("Все картинки (")));
    for (const char* pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.png", "*.gif", "*.svg"})
        QVERIFY2(filter.section(QStringLiteral(";;"), 0, 0).contains(QLatin1String(pattern)), pattern);
    QVERIFY(!filter.contains(QStringLiteral("*.mng")));  // animations are not traced from
}

void PictureTest::loadEndsSecondHalfAndCreation() {
    TBaseForm form;
    ScriptedDialogs dialogs;
    for (int i = 0; i < 256; ++i) {  // the second half far from the first
        form.editor().setPoint(i, i < 128 ? 20 + i : 200, i < 128 ? 30 : 220);
    }
    form.editor().setHalf128(true);
    form.editor().setMirrors(true, true);
    for (lp::SpeedButton* b : {win::cucleButton(form), win::webButton(form)}) b->SetDown(true);
    form.FullReturn(1);
    const QImage& field = win::field(form)->image();
    QCOMPARE(field.pixelColor(402, 442).alpha(), 0);  // point 255 not drawn in the 128 mode
    const lp::Coords x = form.editor().FigureX(), y = form.editor().FigureY();

    const QString path = file(QStringLiteral("скан.листа.png"));
    QVERIFY(ConvertQuadrants(path, 640, 480));
    dialogs.fileAnswers << path;
    win::loadPictureButton(form)->click();
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(!win::half128Button(form)->Down());
    QVERIFY(win::offMadeButton(form)->Down());
    QVERIFY(!win::cucleButton(form)->Down());
    QVERIFY(!win::mirrGorButton(form)->Down());
    QVERIFY(!win::mirrVertButton(form)->Down());
    QVERIFY(win::picVisibleButton(form)->Down());
    QVERIFY(!win::webButton(form)->Down());
    QVERIFY(!win::pictureBox(form)->isHidden());
    QCOMPARE(win::pictureBox(form)->picture().size(), QSize(640, 480));
    QCOMPARE(win::pictureBox(form)->geometry(), QRect(48, 72, 385, 433));  // bounds untouched
    QCOMPARE(form.editor().FigureX(), x);
    QCOMPARE(form.editor().FigureY(), y);
    QCOMPARE(form.editor().pictureFile(), path);
    QVERIFY(form.windowTitle().endsWith(QStringLiteral(" [") + path + QStringLiteral("] ")));
    QCOMPARE(form.editor().PictureName(), QStringLiteral("скан.листа"));
    QCOMPARE(field.pixelColor(402, 442), kYellow);              // redrawn: all 256 points again
    QVERIFY(form.fieldUnder.pixelColor(100, 16).alpha() == 0);  // grid off

    // The button hides and shows it again.
    win::picVisibleButton(form)->click();
    QVERIFY(win::pictureBox(form)->isHidden());
    win::picVisibleButton(form)->click();
    QVERIFY(!win::pictureBox(form)->isHidden());
}

void PictureTest::drawnBeneathTheFigure() {
    TBaseForm form;
    ScriptedDialogs dialogs;
    form.resize(800, 560);  // the whole field inside the window
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    lp::Coords line;  // one line over the picture, out to point 1 and back
    line.fill(150);
    form.editor().setFigure(line, line);
    form.editor().setPoint(1, 100, 150);
    win::razmXBar(form)->setValue(400);
    QCOMPARE(win::pictureBox(form)->geometry(), QRect(63, 86, 400, 400));
    const QString path = file(QStringLiteral("wide.png"));
    QVERIFY(ConvertQuadrants(path, 640, 480));
    dialogs.fileAnswers << path;
    win::loadPictureButton(form)->click();
    QVERIFY(dialogs.messages.isEmpty());
    win::webButton(form)->click();  // the grid on, over the picture

    // Field coordinates: the picture covers 55..454 x 62..461.
    auto check = [&](const char* when) {
        const QImage field = FieldOnScreen(form);
        auto is = [&](int x, int y, const QColor& c) { return field.pixelColor(x, y) == c; };
        // 640 x 480 squeezed into the square: each quadrant a 200 x 200 quarter.
        QVERIFY2(is(57, 64, kRed) && is(452, 64, kBlue) && is(57, 459, kLime) && is(452, 459, kYellow), when);
        QVERIFY2(is(251, 150, kRed) && is(258, 150, kBlue) && is(150, 258, kRed) && is(150, 265, kLime),
                 when);
        QVERIFY2(!is(53, 150, kRed) && !is(150, 463, kLime), when);  // nothing beyond its bounds
        // Grid beneath the picture, frame, contour and markers above it.
        QVERIFY2(is(100, 144, kRed) && is(20, 144, kGrey) && is(470, 144, kGrey), when);
        QVERIFY2(is(1, 100, kWhite) && is(250, 300, kBlue) && is(199, 298, kRed), when);
    };
    check("after the grid button");
    form.FormActivate();  // drawing without clearing keeps the layers
    form.repaint();
    check("after activation");
    win::picVisibleButton(form)->click();  // hidden: the grid shows where it was
    QCOMPARE(FieldOnScreen(form).pixelColor(100, 144), kGrey);
}

void PictureTest::realFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("bmp") << "pic.bmp" << QSize(64, 48) << 0;
    QTest::newRow("gif") << "pic.gif" << QSize(64, 48) << 0;
    QTest::newRow("jpeg") << "pic.jpg" << QSize(64, 48) << 40;
    QTest::newRow("png") << "pic.png" << QSize(64, 48) << 0;
    QTest::newRow("large jpeg, kept small") << "big.jpeg" << QSize(1024, 1024) << 40;
    QTest::newRow("svg") << "pic.svg" << QSize(1024, 768) << 0;
    QTest::newRow("jpeg named .png") << "photo.png" << QSize(64, 48) << 40;
    QTest::newRow("photo taken upright") << "turned.jpg" << QSize(48, 64) << 40;  // stands as taken
}

void PictureTest::realFiles() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, tolerance);
    const QString path = file(name);
    QFile::remove(path);
    if (name.endsWith(QStringLiteral(".svg"))) {
        // Its SVG writer reports failure even when the file is written.
        QVERIFY(!Convert({"-size", "64x48", "xc:white", "-draw", "rectangle 0,0 31,23", path}).isEmpty());
        QVERIFY(ReadBytes(path).contains("<svg"));
    } else if (name == QStringLiteral("turned.jpg")) {
        // Stored on its side with the orientation mark a camera writes: an
        // Exif block whose one entry says "turn a quarter clockwise" (6).
        QVERIFY(ConvertQuadrants(path));
        const QByteArray exif(
            "\xFF\xE1\x00\x22"
            "Exif\0\0"
            "II\x2A\x00\x08\x00\x00\x00"
            "\x01\x00"
            "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00"
            "\x00\x00\x00\x00",
            36);
        QVERIFY(WriteBytes(path, ReadBytes(path).insert(2, exif)));
    } else if (name == QStringLiteral("photo.png")) {
        QVERIFY(ConvertQuadrants(path + QStringLiteral(".jpg")));
        QVERIFY(QFile::rename(path + QStringLiteral(".jpg"), path));
    } else {
        QVERIFY(name.startsWith(QStringLiteral("big")) ? ConvertQuadrants(path, 3000, 2000)
                                                       : ConvertQuadrants(path));
    }
    TBaseForm form;
    ScriptedDialogs dialogs;
    dialogs.fileAnswers << path;
    win::loadPictureButton(form)->click();
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.value(0).text));
    const QImage picture = win::pictureBox(form)->picture();
    QCOMPARE(picture.size(), size);
    QCOMPARE(form.editor().PictureName(), QFileInfo(name).completeBaseName());
    const int w = size.width(), h = size.height();
    if (name.endsWith(QStringLiteral(".svg"))) {
        // A black rectangle over the top left quarter, nothing elsewhere.
        QCOMPARE(picture.pixelColor(w / 4, h / 4), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(3 * w / 4, 3 * h / 4).alpha(), 0);
        return;
    }
    // Quarters red, blue / lime, yellow; turned a quarter clockwise for the photo.
    const bool turned = name == QStringLiteral("turned.jpg");
    QVERIFY(Near(picture.pixelColor(w / 4, h / 4), turned ? kLime : kRed, tolerance));
    QVERIFY(Near(picture.pixelColor(3 * w / 4, h / 4), turned ? kRed : kBlue, tolerance));
    QVERIFY(Near(picture.pixelColor(w / 4, 3 * h / 4), turned ? kYellow : kLime, tolerance));
    QVERIFY(Near(picture.pixelColor(3 * w / 4, 3 * h / 4), turned ? kBlue : kYellow, tolerance));
}

void PictureTest::badFilesChangeNothing() {
    const QString jpeg = file(QStringLiteral("good.jpg")), png = file(QStringLiteral("good.png")),
                  bmp = file(QStringLiteral("good.bmp")), gif = file(QStringLiteral("good.gif"));
    for (const QString& path : {jpeg, png, bmp, gif}) QVERIFY(ConvertQuadrants(path));
    const QByteArray jpegBytes = ReadBytes(jpeg), pngBytes = ReadBytes(png), bmpBytes = ReadBytes(bmp),
                     gifBytes = ReadBytes(gif);

    struct Bad {
        QString name;
        QByteArray bytes;
        QString reason;
    };
    const QString fifo = file(QStringLiteral("pipe.png"));
#ifdef Q_OS_UNIX
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
#endif
    const QByteArray svgNamingPipe =
        "<svg xmlns='http://www.w3.org/2000/svg' "
        "xmlns:xlink='http://www.w3.org/1999/xlink' width='10' height='10'>"
        "<image width='10' height='10' xlink:href='" +
        QFile::encodeName(fifo) + "'/></svg>";
    const QString cut = QStringLiteral("Файл картинки обрезан: его данные кончаются раньше времени");
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg'><rect width='4' height='4'/></svg>";
    const QByteArray plain = Convert({"-size", "8x6", "xc:red", "-compress", "none", "ppm:-"});
    QList<Bad> bad = {
        {"truncated.jpg", jpegBytes.left(jpegBytes.size() / 2), cut},
        {"truncated.gif", gifBytes.left(gifBytes.size() - 20), cut},
        {"truncated.bmp", bmpBytes.left(bmpBytes.size() - 100), cut},
        {"truncated.svg", svg.left(svg.size() - 8), cut},
        {"truncated.svgz", Gzip(svg).chopped(4), cut},
        {"truncated plain.ppm", plain.chopped(8), cut},
        {"big.svg", svg + QByteArray((17 << 20) - svg.size(), ' '), "17 МБ (картинка SVG не больше 16 МБ)"},
        {"text.png", "Это просто текст, а не картинка.\n", "не картинка"},
        {"huge.png", PatchedPng(pngBytes, 100000, 100000), "100000 × 100000"},
        {"huge.bmp", PatchedBmp(bmpBytes, 100000, 100000), "100000 × 100000"},
        {"huge.jpg", PatchedJpeg(jpegBytes, 65000, 65000), "65000 × 65000"},
        {"empty.png", "", "пуст"},
        {"pipe.svg", svgNamingPipe, "ссылается на то, чего в ней нет"},
        {"bomb.svgz", Gzip(QByteArray(40 * 1024 * 1024, ' ')), "распаковывается"},
        {"missing.png", {}, "не найден"},
        {"folder.png", {}, "папка"},
        {"pipe.png", {}, "именованный канал"},
        {"big.png", {}, "слишком большой"},
#ifdef Q_OS_LINUX
        {"/dev/zero", {}, "не обычный файл, а устройство"},
#endif
    };
    for (const char* kind : {"png", "tiff", "webp", "ico", "ppm"}) {
        const QString whole = file(QStringLiteral("whole.") + kind);
        QVERIFY(ConvertQuadrants(whole));
        bad.append({QStringLiteral("truncated.") + kind, ReadBytes(whole).chopped(60), cut});
    }
    for (const Bad& b : bad) {
        if (b.bytes.isEmpty()) continue;
        QVERIFY(WriteBytes(file(b.name), b.bytes));
    }
    QVERIFY(WriteBytes(file(QStringLiteral("empty.png")), {}));
    QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("folder.png")));
    QFile big(file(QStringLiteral("big.png")));  // sparse: no disk space used
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(lp::kPictureFileLimit + 1));
    big.close();

    TBaseForm form;
    ScriptedDialogs dialogs;
    dialogs.fileAnswers << png;
    win::loadPictureButton(form)->click();
    QVERIFY(dialogs.messages.isEmpty());
    win::picVisibleButton(form)->click();  // a state loading would change: hidden, grid on
    win::webButton(form)->click();
    const long memoryBefore = PeakMemoryKb();
    for (const Bad& b : bad) {
        const QString path = b.name.startsWith(u'/') ? b.name : file(b.name);
        form.editor().setHalf128(true);
        const PictureState before = StateOf(form);
        win::field(form)->image().setPixelColor(300, 300, Qt::magenta);  // gone with any redraw
        dialogs.messages.clear();
        dialogs.fileAnswers << path;
        QElapsedTimer clock;
        clock.start();
        win::loadPictureButton(form)->click();
        QVERIFY2(clock.elapsed() < 3000, qPrintable(b.name));
        QCOMPARE(dialogs.messages.size(), 1);
        const AskedMessage& m = dialogs.messages[0];
        QCOMPARE(m.icon, QMessageBox::Critical);
        QCOMPARE(m.buttons, QMessageBox::Ok);
        QVERIFY2(m.text.contains(QDir::toNativeSeparators(path)) && m.text.contains(b.reason),
                 qPrintable(m.text));
        QVERIFY2(StateOf(form) == before, qPrintable(b.name));
        QCOMPARE(win::field(form)->image().pixelColor(300, 300), QColor(Qt::magenta));
        QVERIFY(!win::half128Button(form)->Down());  // the buttons of step 2 have changed
        QVERIFY(win::offMadeButton(form)->Down());
    }
    if (memoryBefore > 0)
        QVERIFY2(PeakMemoryKb() - memoryBefore < 64 * 1024,
                 qPrintable(QStringLiteral("peak grew by %1 kB").arg(PeakMemoryKb() - memoryBefore)));
}

void PictureTest::waitingKeepsTheWindowAlive() {
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Quick work: done before anything shows.
    int answer = 0;
    QVERIFY(lp::WaitForWork(&window, QStringLiteral("…"), [&answer](std::stop_token) { answer = 42; }) ==
            lp::WaitOutcome::Done);
    QCOMPARE(answer, 42);

    // Slow work: timers run meanwhile, the box comes up, a close waits.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);
    bool boxSeen = false, stayedOpen = false;
    QTimer::singleShot(300, [&] {
        boxSeen = window.findChild<QProgressDialog*>(QStringLiteral("WaitBox")) != nullptr;
        window.close();
        stayedOpen = window.isVisible();
    });
    QVERIFY(lp::WaitForWork(
                &window, QStringLiteral("…"),
                [](std::stop_token) { std::this_thread::sleep_for(std::chrono::milliseconds(600)); },
                100) == lp::WaitOutcome::Done);
    QVERIFY(ticks > 10);
    QVERIFY(boxSeen);
    QVERIFY(stayedOpen);
    QVERIFY(!window.findChild<QProgressDialog*>());

    // Stopping the wait returns at once and signals the work's token; the
    // work ends on its own, here at once as it watches the token, unless it
    // does not look.
    for (const bool watchesToken : {false, true}) {
        auto done = std::make_shared<std::atomic<bool>>(false);
        QTimer::singleShot(200, [&] {
            if (auto* box = window.findChild<QProgressDialog*>(QStringLiteral("WaitBox")))
                QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
        });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(lp::WaitForWork(
                    &window, QStringLiteral("…"),
                    [done, watchesToken](std::stop_token stop) {
                        for (int i = 0; i < 150 && !(watchesToken && stop.stop_requested()); ++i)
                            std::this_thread::sleep_for(std::chrono::milliseconds(10));
                        done->store(true);
                    },
                    50) == lp::WaitOutcome::Stopped);
        QVERIFY(clock.elapsed() < 1000);
        if (!watchesToken) QVERIFY(!done->load());
        QTRY_VERIFY_WITH_TIMEOUT(done->load(), watchesToken ? 1000 : 5000);
    }
    // A deadline ends the wait as a stop does.
    QVERIFY(lp::WaitForWork(
                &window, QStringLiteral("…"),
                [](std::stop_token stop) {
                    while (!stop.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                },
                50, QDeadlineTimer(300)) == lp::WaitOutcome::TimedOut);
    QTRY_COMPARE_WITH_TIMEOUT(lp::RunningWork(), 0, 500);
}

// The real open-picture dialog, driven as the user drives it.
void PictureTest::previewInTheDialog() {
    const QString folder = file(QStringLiteral("dialog"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/folder.png")));
    QVERIFY(ConvertQuadrants(folder + QStringLiteral("/wide.png"), 640, 480));
    QVERIFY(ConvertQuadrants(folder + QStringLiteral("/tall.jpg"), 1200, 3000));
    QVERIFY(WriteBytes(folder + QStringLiteral("/text.png"), "Это просто текст.\n") &&
            WriteBytes(folder + QStringLiteral("/empty.png"), {}));
#ifdef Q_OS_UNIX
    QCOMPARE(mkfifo(QFile::encodeName(folder + QStringLiteral("/pipe.png")).constData(), 0600), 0);
#endif
    const QByteArray png = ReadBytes(folder + QStringLiteral("/wide.png"));
    QVERIFY(WriteBytes(folder + QStringLiteral("/huge.png"), PatchedPng(png, 100000, 100000)));
    QVERIFY(WriteBytes(folder + QStringLiteral("/cut.jpg"),
                       ReadBytes(folder + QStringLiteral("/tall.jpg")).left(2000)));

    lp::FileDialogState state{QStringLiteral("Картинка"),
                              lp::PictureDialogFilter(),
                              {},
                              folder + QStringLiteral("/tall.jpg"),
                              true};
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog) drivePreview(dialog, folder);
        if (dialog && !QTest::currentTestFailed())
            static_cast<QDialog*>(dialog)->accept();  // the Open button
        else if (QApplication::activeModalWidget())
            QApplication::activeModalWidget()->close();
    });
    const bool accepted = lp::dialogs().openFile(nullptr, state);
    if (QTest::currentTestFailed()) return;
    QVERIFY(accepted);
    QCOMPARE(state.fileName, folder + QStringLiteral("/wide.png"));

    // Without the flag the dialog has no preview; closing it while a picture
    // is being read leaves the worker to finish on its own.
    state.preview = false;
    bool hadPreview = true;
    QTimer::singleShot(0, this, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            hadPreview = dialog->findChild<lp::PicturePreview*>() != nullptr;
            dialog->reject();
        }
    });
    QVERIFY(!lp::dialogs().openFile(nullptr, state));
    QVERIFY(!hadPreview);
    {
        QFileDialog dialog;
        auto* preview = new lp::PicturePreview(&dialog);
        preview->setPath(folder + QStringLiteral("/tall.jpg"));
    }
    QTest::qWait(300);
}

void PictureTest::drivePreview(QFileDialog* dialog, const QString& folder) {
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QAbstractItemView* list = nullptr;  // the list or the details, whichever shows
    for (const char* name : {"listView", "treeView"})
        if (auto* view = dialog->findChild<QAbstractItemView*>(QLatin1String(name));
            view && view->isVisible())
            list = view;
    auto* preview = dialog->findChild<lp::PicturePreview*>(QStringLiteral("PicturePreview"));
    QVERIFY(list && preview);
    // Beside the file list, opening on the last picture chosen, decoded small.
    QVERIFY(preview->mapTo(dialog, QPoint(0, 0)).x() >= list->mapTo(dialog, QPoint(list->width(), 0)).x());
    QTRY_VERIFY(!preview->busy());
    QCOMPARE(preview->image().size(), QSize(64, 160));
    QCOMPARE(preview->sizeText(), QStringLiteral("1200 × 3000"));

    QStringList shown;  // each picture that reached the box
    connect(preview, &lp::PicturePreview::updated, preview,
            [&] { shown << (preview->image().isNull() ? QString() : preview->path()); });
    auto click = [&](const QString& name) {
        QModelIndex index;
        QTRY_VERIFY((index = list->model()
                                 ->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, name,
                                         1, Qt::MatchExactly)
                                 .value(0))
                        .isValid());
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QCOMPARE(preview->path(), folder + u'/' + name);
    };
    auto type = [&](const QString& name) {  // the list does not show pipes
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, name);
        QCOMPARE(preview->path(), folder + u'/' + name);
    };
    click(QStringLiteral("wide.png"));
    QTRY_VERIFY(!preview->busy());
    // 640 x 480 fitted in the box: 160 x 120, its four quadrants where the user sees them.
    QCOMPARE(preview->image().size(), QSize(160, 120));
    QCOMPARE(preview->sizeText(), QStringLiteral("640 × 480"));
    auto* box = preview->findChild<QLabel*>(QStringLiteral("PreviewBox"));
    const QImage seen = box->grab().toImage();
    const QPoint c = box->contentsRect().center();
    QVERIFY(Near(seen.pixelColor(c + QPoint(-40, -30)), kRed) &&
            Near(seen.pixelColor(c + QPoint(40, -30)), kBlue));
    QVERIFY(Near(seen.pixelColor(c + QPoint(-40, 30)), kLime) &&
            Near(seen.pixelColor(c + QPoint(40, 30)), kYellow));
    QVERIFY(!Near(seen.pixelColor(c + QPoint(0, -70)), kRed) &&
            !Near(seen.pixelColor(c + QPoint(0, 70)), kLime));

    // Not pictures: no picture at once but why not (nothing for a folder),
    // the dialog answering meanwhile.
    QList<std::pair<QString, QString>> refused{{"text.png", "Не картинка"},
                                               {"folder.png", ""},
                                               {"huge.png", "100000 × 100000"},
                                               {"cut.jpg", "Файл обрезан"},
                                               {"empty.png", "Файл пуст"}};
#ifdef Q_OS_UNIX
    refused.prepend({"pipe.png", "именованный канал"});
#endif
    for (const auto& [name, reason] : refused) {
        click(QStringLiteral("wide.png"));
        QTRY_VERIFY(!preview->busy());
        QElapsedTimer clock;
        clock.start();
        if (name.startsWith(QStringLiteral("pipe")))
            type(name);
        else
            click(name);
        QTRY_VERIFY2(!preview->busy(), qPrintable(name));
        QVERIFY2(clock.elapsed() < 500, qPrintable(name));
        QVERIFY2(preview->image().isNull() && preview->sizeText().isEmpty(), qPrintable(name));
        QVERIFY2(reason.isEmpty() ? preview->reason().isEmpty() : preview->reason().contains(reason),
                 qPrintable(name + QStringLiteral(": ") + preview->reason()));
    }
#ifdef Q_OS_LINUX
    preview->setPath(QStringLiteral("/dev/zero"));
    QTRY_VERIFY(!preview->busy());
    QVERIFY(preview->image().isNull());
#endif
    // Moving on before a picture is read: only the newest one shows.
    shown.clear();
    click(QStringLiteral("tall.jpg"));
    click(QStringLiteral("text.png"));
    click(QStringLiteral("wide.png"));
    QTRY_VERIFY(!preview->busy());
    QCOMPARE(shown.filter(QStringLiteral(".jpg")), QStringList());
    QCOMPARE(preview->image().size(), QSize(160, 120));
}

QTEST_MAIN(PictureTest)
#include "test_picture.moc"
