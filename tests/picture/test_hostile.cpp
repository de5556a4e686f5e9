// Hostile pictures as an attacker crafts them, each shrunk to what triggers
// it: refused within seconds with the reason, the editor's figure, picture and
// state as they were, no child process or worker left; the child's own limits;
// good pictures decoded by the child exactly as in the editor's own memory.
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "app/baseform.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "ui_baseform.h"
#include "picture/decodechild.h"
#include "work/worker.h"

namespace {

QByteArray Convert(const QStringList& args) {
    QProcess convert;
    convert.start(QStringLiteral("convert"), args);
    convert.waitForFinished(60000);
    return convert.readAllStandardOutput();
}

// A PNG or MNG chunk; `length` is what its header declares.
QByteArray Chunk(const char* type, const QByteArray& data, qint64 length = -1) {
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(length < 0 ? data.size() : length), chunk.data());
    chunk += QByteArray(type) + data + QByteArray(4, '\0');
    const quint32 crc =
        crc32(0, reinterpret_cast<const Bytef*>(chunk.constData() + 4), uInt(chunk.size() - 8));
    qToBigEndian(crc, chunk.data() + chunk.size() - 4);
    return chunk;
}

QByteArray Words(std::initializer_list<quint32> words) {
    QByteArray bytes;
    for (quint32 word : words) {
        bytes += QByteArray(4, '\0');
        qToBigEndian(word, bytes.data() + bytes.size() - 4);
    }
    return bytes;
}

// An 8000 x 5000 progressive JPEG whose last refinement scan comes `times` more.
QByteArray ManyScans(int times) {
    const QByteArray jpeg =
        Convert({"-size", "8000x5000", "xc:gray50", "-interlace", "Plane", "-quality", "90", "jpg:-"});
    const qsizetype end = jpeg.lastIndexOf("\xFF\xD9"), last = jpeg.lastIndexOf("\xFF\xDA");
    return jpeg.left(end) + jpeg.mid(last, end - last).repeated(times) + "\xFF\xD9";
}

QByteArray Svg(const QByteArray& inside, const QByteArray& before = {}) {
    return before +
           "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
           "width='20' height='10'>" +
           inside + "<rect width='10' height='10'/></svg>";
}

// Child processes of this one, on any of its threads.
int Children() {
    int children = 0;
    const auto tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks)
        children += ReadBytes(QStringLiteral("/proc/self/task/%1/children").arg(task)).count(' ');
    return children;
}

struct State {
    qint64 picture;
    bool shown;
    QString title, name;
    lp::Coords x, y;
    bool operator==(const State&) const = default;
};

State StateOf(TBaseForm& form) {
    return {form.ui->ImageDraw->picture().cacheKey(),
            !form.ui->ImageDraw->isHidden(),
            form.PictureTitle,
            form.PictureName,
            form.FigureX,
            form.FigureY};
}

}  // namespace

class HostileTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void refused_data();
    void refused();
    void limits_data();
    void limits();
    void samePixels_data();
    void samePixels();

  private:
    QTemporaryDir dir_;
    QByteArray png_;  // 8 x 8, red
};

void HostileTest::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
        QSKIP("ImageMagick's convert is missing: run scripts/test to install it");
    QVERIFY(dir_.isValid());
    png_ = Convert({"-size", "8x8", "xc:red", "-depth", "8", "png:-"});
    QVERIFY(png_.startsWith("\x89PNG"));
    // A pipe named as a reference, where the SVG reader would look for it.
    QVERIFY(QDir::setCurrent(dir_.path()));
    QCOMPARE(mkfifo("#p", 0600), 0);
}

void HostileTest::refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");  // empty: the picture loads
    QTest::addColumn<int>("cancelMs");    // the user stops waiting then
    const QByteArray picture = "data:image/png;base64," + png_.toBase64();
    const QByteArray scans = ManyScans(1000);
    QTest::newRow("png, text chunk of 1.29 GB after the image")
        << png_.left(png_.indexOf("IEND") - 4) + Chunk("tEXt", "Comment", 1'290'000'000) << "слишком большая"
        << 0;
    QTest::newRow("mng, 8 x 134217736 inside 8 x 8")
        << "\x8aMNG\r\n\x1a\n" + Chunk("MHDR", Words({8, 8, 1, 0, 0, 0, 0})) +
               Chunk("IHDR", Words({8, 134217736}) + QByteArray("\x08\0\0\0\0", 5)) + Chunk("MEND", {})
        << "формат не поддерживается" << 0;
    QTest::newRow("jpeg, 1000 refinement scans") << scans << "слишком долго" << 0;
    QTest::newRow("jpeg, stopped waiting") << scans << "" << 700;
    QTest::newRow("svg, DATA:") << Svg("<image width='9' height='9' xlink:href='DATA:secret.png'/>")
                                << "«DATA:secret.png»" << 0;
    QTest::newRow("svg, #p of no element") << Svg("<image width='9' height='9' href=' #p'/>") << "«#p»" << 0;
    QTest::newRow("svg, style") << Svg("<g style='fill:URL( \"f.svg#g\" )'/>") << "«f.svg#g»" << 0;
    QTest::newRow("svg, escaped in a sheet")
        << Svg("<style>g{fill:u\\72l(/dev/zero)}</style>") << "«/dev/zero»" << 0;
    QTest::newRow("svg, @import") << Svg("<style><![CDATA[@import /**/ 's.css';]]></style>") << "«s.css»"
                                  << 0;
    QTest::newRow("svg, @IMPORT") << Svg("<style>@IMPORT 's.css';</style>") << "«s.css»" << 0;
    QTest::newRow("svg, entity of an outside DTD")
        << Svg("<text>&e;</text>", "<!DOCTYPE svg SYSTEM 'e.dtd'>") << "«&e;»" << 0;
    QTest::newRow("svg after a blank line") << Svg("", "\n") << "" << 0;
    QTest::newRow("svg, svg carried inside")
        << Svg("<image width='9' height='9' href='data:image/svg+xml;base64," +
               Svg("<image href='/dev/zero'/>").toBase64() + "'/>")
        << "ссылается на другие файлы" << 0;
    QTest::newRow("svg, external entity")
        << Svg("&e;", "<!DOCTYPE svg [<!ENTITY e SYSTEM '/dev/zero'>]>") << "«/dev/zero»" << 0;
    QTest::newRow("svg, #p of its own")
        << Svg("<g id='p'/><image width='9' height='9' href='#p'/>") << "" << 0;
    QTest::newRow("svg, picture carried inside")
        << Svg("<image width='9' height='9' href='" + picture + "'/>") << "" << 0;
}

void HostileTest::refused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QFETCH(int, cancelMs);
    const QString path = dir_.filePath(QStringLiteral("hostile"));
    const QString good = dir_.filePath(QStringLiteral("good.png"));
    QVERIFY(WriteBytes(path, bytes) && WriteBytes(good, png_));
    TBaseForm form;
    ScriptedDialogs dialogs;
    dialogs.fileAnswers << good;
    form.ui->SpeedButtonLoadPicture->click();
    const State before = StateOf(form);
    QVERIFY(dialogs.messages.isEmpty() && before.picture != 0);

    if (cancelMs)
        QTimer::singleShot(cancelMs, &form, [&form] {
            if (auto* box = form.findChild<QProgressDialog*>(QStringLiteral("WaitBox")))
                box->findChild<QPushButton*>()->click();
        });
    dialogs.fileAnswers << path;
    QElapsedTimer clock;
    clock.start();
    form.ui->SpeedButtonLoadPicture->click();
    QVERIFY2(clock.elapsed() < (cancelMs ? cancelMs + 500 : 6000),
             qPrintable(QString::number(clock.elapsed())));
    if (reason.isEmpty()) {
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.value(0).text));
        QVERIFY(StateOf(form).picture != before.picture || cancelMs);
    } else {
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.contains(reason), qPrintable(dialogs.messages[0].text));
    }
    if (!reason.isEmpty() || cancelMs) QVERIFY(StateOf(form) == before);
    // Nothing left waiting: no child, no worker; the editor stays small.
    QTRY_COMPARE_WITH_TIMEOUT(Children(), 0, 300);
    QTRY_COMPARE_WITH_TIMEOUT(lp::RunningWork(), 0, 300);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QVERIFY2(usage.ru_maxrss < 300 * 1024, qPrintable(QString::number(usage.ru_maxrss)));
}

void HostileTest::limits_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("reason");
    QTest::newRow("spins") << "--spin" << lp::DecodeTooLong();
    QTest::newRow("allocates") << "--allocate" << lp::DecodeTooLarge();
    QTest::newRow("sleeps") << "--sleep" << lp::DecodeTooLong();
}

void HostileTest::limits() {
    QFETCH(QString, mode);
    QFETCH(QString, reason);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(lp::DecodeChild().run({mode}, QSize(1, 1)).error, reason);
    QVERIFY(clock.elapsed() < 6000);
    QCOMPARE(Children(), 0);  // killed at the deadline, whatever its limits
}

void HostileTest::samePixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("make");
    QTest::addColumn<QSize>("box");
    const QStringList quadrants{"-size",   "320x240", "xc:red",    "xc:blue", "+append", "(",      "-size",
                                "320x240", "xc:lime", "xc:yellow", "+append", ")",       "-append"};
    for (const char* name : {"p.png", "p.jpg", "p.gif", "p.bmp", "p.webp", "p.tiff", "p.svg"})
        QTest::newRow(name) << name << quadrants << QSize();
    QTest::newRow("preview") << "p.png" << quadrants << QSize(160, 160);
    QTest::newRow("large") << "l.jpg" << QStringList{"-size", "3000x2000", "gradient:red-blue"} << QSize();
    QTest::newRow("turned") << "t.jpg" << (quadrants + QStringList{"-orient", "RightTop"}) << QSize();
}

void HostileTest::samePixels() {
    QFETCH(QString, name);
    QFETCH(QStringList, make);
    QFETCH(QSize, box);
    const QString path = dir_.filePath(name);
    Convert(make << path);
    const lp::PictureResult here = lp::LoadPictureHere(path, box);
    const lp::PictureResult child = box.isValid() ? lp::LoadPicturePreview(path, box) : lp::LoadPicture(path);
    QVERIFY2(here && child, qPrintable(here.error + child.error));
    QCOMPARE(child.size, here.size);
    // The pixels alone: a colour space the file names does not cross over (drawing ignores it).
    QCOMPARE(child.image.format(), here.image.format());
    QCOMPARE(child.image.size(), here.image.size());
    QVERIFY(QByteArrayView(child.image.constBits(), child.image.sizeInBytes()) ==
            QByteArrayView(here.image.constBits(), here.image.sizeInBytes()));
}

QTEST_MAIN(HostileTest)
#include "test_hostile.moc"
