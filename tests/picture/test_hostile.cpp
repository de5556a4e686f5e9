// Hostile pictures as an attacker crafts them, each shrunk to what triggers
// it: refused within seconds with the reason, the editor's figure, picture and
// state as they were, no child process or worker left; the child's own limits
// and sandbox; good pictures decoded by the child exactly as in the editor's
// own memory.
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <filesystem>
#include <future>

#include "app/baseform.h"
#include "picture/decodechild.h"
#include "picture/decodehere.h"
#include "picture/picturefile.h"
#include "support/basewindow.h"
#include "support/convert.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "work/worker.h"

namespace {

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
QStringList Children() {
    QStringList children;
    const auto tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks)
        children += QString::fromLatin1(ReadBytes(QStringLiteral("/proc/self/task/%1/children").arg(task)))
                        .split(u' ', Qt::SkipEmptyParts);
    return children;
}

// Four rectangles: red, blue over lime, yellow.
const QByteArray kQuadrantsSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='640' height='480'>"
    "<rect width='320' height='240' fill='red'/><rect x='320' width='320' height='240' fill='blue'/>"
    "<rect y='240' width='320' height='240' fill='lime'/>"
    "<rect x='320' y='240' width='320' height='240' fill='yellow'/></svg>";

struct State {
    qint64 picture;
    bool shown;
    QString title, name;
    lp::Coords x, y;
    bool operator==(const State&) const = default;
};

State StateOf(TBaseForm& form) {
    return {win::pictureBox(form)->picture().cacheKey(),
            !win::pictureBox(form)->isHidden(),
            form.editor().pictureFile(),
            form.editor().PictureName(),
            form.editor().FigureX(),
            form.editor().FigureY()};
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
    void sandboxed();

  private:
    QTemporaryDir dir_;
    QByteArray png_;    // 8 x 8, red
    QByteArray scans_;  // a JPEG that takes longer to decode than the child may
};

void HostileTest::initTestCase() {
    if (ConvertProgram().isEmpty()) QSKIP("ImageMagick's convert is missing: run scripts/test to install it");
    QVERIFY(dir_.isValid());
    QCOMPARE(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);  // the child's orphans come here, to Children()
    png_ = Convert({"-size", "8x8", "xc:red", "-depth", "8", "png:-"});
    QVERIFY(png_.startsWith("\x89PNG"));
    scans_ = ManyScans(1000);
    // A pipe named as a reference, where the SVG reader would look for it.
    QVERIFY(QDir::setCurrent(dir_.path()));
    QCOMPARE(mkfifo("#p", 0600), 0);
}

void HostileTest::refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");  // empty: the picture loads
    QTest::addColumn<int>("cancelMs");    // the user stops waiting then
    const QByteArray picture = "data:image/png;base64," + png_.toBase64();
    QTest::newRow("png, text chunk of 1.29 GB after the image")
        << png_.left(png_.indexOf("IEND") - 4) + Chunk("tEXt", "Comment", 1'290'000'000) << "обрезан" << 0;
    QTest::newRow("mng, 8 x 134217736 inside 8 x 8")
        << "\x8aMNG\r\n\x1a\n" + Chunk("MHDR", Words({8, 8, 1, 0, 0, 0, 0})) +
               Chunk("IHDR", Words({8, 134217736}) + QByteArray("\x08\0\0\0\0", 5)) + Chunk("MEND", {})
        << "формат не поддерживается" << 0;
    QTest::newRow("jpeg, 1000 refinement scans") << scans_ << "слишком долго" << 0;
    QTest::newRow("jpeg, stopped waiting") << scans_ << "" << 700;
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
        << "ссылается на то, чего в ней нет" << 0;
    QTest::newRow("svg, external entity")
        << Svg("&e;", "<!DOCTYPE svg [<!ENTITY e SYSTEM '/dev/zero'>]>") << "«/dev/zero»" << 0;
    QTest::newRow("svg, #p of no element, used and filled")
        << Svg("<rect width='9' height='9'/><use href='#p'/><rect width='5' height='5' fill='url(#p)'/>")
        << "" << 0;
    QTest::newRow("svg, image of #p of its own")
        << Svg("<g id='p'/><image width='9' height='9' href='#p'/>") << "«#p»" << 0;
    QTest::newRow("svg, DATA: with data")
        << Svg("<image width='9' height='9' href='DATA:,x'/>") << "«DATA:,x»" << 0;
    QTest::newRow("svg, xi:include") << Svg("<xi:include xmlns:xi='http://www.w3.org/2001/XInclude' "
                                            "href='/etc/passwd' parse='text'/>")
                                     << "«/etc/passwd»" << 0;
    QTest::newRow("svg, use of another file") << Svg("<use href='o.svg#x'/>") << "«o.svg#x»" << 0;
    QTest::newRow("svg, link") << Svg("<a href='https://example.org/'><rect width='5' height='5'/></a>") << ""
                               << 0;
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
    win::loadPictureButton(form)->click();
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
    win::loadPictureButton(form)->click();
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
    QTRY_COMPARE_WITH_TIMEOUT(Children().size(), 0, 300);
    QTRY_COMPARE_WITH_TIMEOUT(lp::RunningWork(), 0, 300);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QVERIFY2(usage.ru_maxrss < 300 * 1024, qPrintable(QString::number(usage.ru_maxrss)));
}

void HostileTest::limits_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("signal");  // sent from outside once the child runs
    QTest::addColumn<QString>("reason");
    QTest::newRow("spins") << "--spin" << 0 << lp::DecodeTooLong();
    QTest::newRow("allocates") << "--allocate" << 0 << lp::DecodeTooLarge();
    QTest::newRow("escapes") << "--escape" << 0
                             << "open:EPERM socket:EPERM spawn:EPERM fork:EPERM kill:EPERM mmap-exec:EPERM "
                                "memfd:EPERM ptrace:EPERM exec:EPERM";
    QTest::newRow("sleeps") << "--sleep" << 0 << lp::DecodeTooLong();
    QTest::newRow("killed") << "--sleep" << SIGKILL
                            << "Разбор картинки прерван извне: программу разбора остановил сигнал SIGKILL";
}

void HostileTest::limits() {
    QFETCH(QString, mode);
    QFETCH(int, signal);
    QFETCH(QString, reason);
    QElapsedTimer clock;
    clock.start();
    auto result = std::async(std::launch::async,
                             [&] { return lp::DecodeChild(LASERPIC_TEST_DECODER).run({mode}, QSize(1, 1)); });
    QString child;
    auto decoder = [] {  // not a process adopted from an earlier row
        for (const QString& pid : Children())
            if (ReadBytes("/proc/" + pid + "/comm").startsWith("laserpic-decode")) return pid;
        return QString();
    };
    if (signal) QTRY_VERIFY((child = decoder()).size() && kill(child.toInt(), signal) == 0);
    QCOMPARE(result.get().error, reason);
    QVERIFY(clock.elapsed() < 6000);
    QCOMPARE(Children(), QStringList());  // killed at the deadline, whatever its limits, nothing left
}

void HostileTest::samePixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("make");
    QTest::addColumn<QSize>("box");
    const QStringList quadrants{"-size",   "320x240", "xc:red",    "xc:blue", "+append", "(",      "-size",
                                "320x240", "xc:lime", "xc:yellow", "+append", ")",       "-append"};
    for (const char* name : {"p.png", "p.jpg", "p.gif", "p.bmp", "p.webp", "p.tiff", "p.ppm", "p.svg"})
        QTest::newRow(name) << name << quadrants << QSize();
    QTest::newRow("p.ico") << "p.ico" << (quadrants + QStringList{"-resize", "64x48"}) << QSize();
    QTest::newRow("preview") << "p.png" << quadrants << QSize(160, 160);
    QTest::newRow("large") << "l.jpg" << QStringList{"-size", "3000x2000", "gradient:red-blue"} << QSize();
    QTest::newRow("turned") << "t.jpg" << (quadrants + QStringList{"-orient", "RightTop"}) << QSize();
}

void HostileTest::samePixels() {
    QFETCH(QString, name);
    QFETCH(QStringList, make);
    QFETCH(QSize, box);
    const QString path = dir_.filePath(name);
    if (name.endsWith(QStringLiteral(".svg")))
        QVERIFY(WriteBytes(path, kQuadrantsSvg));
    else
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

// While it decodes, the child is under its filter and, where the system
// lets a process make one, in a network of its own. Killed at any moment,
// or drawing SVG without a runtime folder, it leaves nothing behind.
void HostileTest::sandboxed() {
    const QString svg = dir_.filePath(QStringLiteral("text.svg")),
                  jpeg = dir_.filePath(QStringLiteral("slow.jpg"));
    QVERIFY(WriteBytes(svg,
                       "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='300'>"
                       "<text x='10' y='250' font-family='No such font' font-size='240'>Ag</text></svg>") &&
            WriteBytes(jpeg, scans_));
    const pid_t probe = fork();
    if (probe == 0) _exit(unshare(CLONE_NEWUSER | CLONE_NEWNET) == 0 ? 0 : 1);
    int status = 1;
    const bool namespaces =
        waitpid(probe, &status, 0) == probe && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QTemporaryDir temporary;
    const QByteArray savedTemporary = qgetenv("TMPDIR"), savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    qunsetenv("XDG_RUNTIME_DIR");

    lp::DecodeChild slow;
    auto decoded = std::async(std::launch::async, [&] { return slow.load(jpeg, QSize()); });
    QString child, state;
    QTRY_VERIFY((child = Children().value(0)).size() &&
                (state = QString::fromLatin1(ReadBytes("/proc/" + child + "/status")))
                    .contains("Seccomp_filters:\t2"));
    QVERIFY2(state.contains("Seccomp:\t2") && state.contains("NoNewPrivs:\t1"), qPrintable(state));
    using std::filesystem::read_symlink;  // the links' own text, "net:[inode]"
    auto network = [](const QString& pid) { return read_symlink("/proc/" + pid.toStdString() + "/ns/net"); };
    QCOMPARE(network(child) != network(QStringLiteral("self")), namespaces);
    slow.stop();
    QCOMPARE(decoded.get().error, QStringLiteral("Остановлено"));
    for (int ms = 0; ms < 20; ms += 2) {
        lp::DecodeChild killed;
        auto result = std::async(std::launch::async, [&] { return killed.load(svg, QSize()); });
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        killed.stop();
        result.get();
    }
    // Its text drawn in the fonts it read before the sandbox: about as much ink as here.
    const lp::PictureResult here = lp::LoadPictureHere(svg, QSize()), there = lp::LoadPicture(svg);
    for (const auto& [name, value] :
         {std::pair("TMPDIR", savedTemporary), std::pair("XDG_RUNTIME_DIR", savedRuntime)})
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    QVERIFY2(here && there, qPrintable(there.error));
    auto ink = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 128;
        return n;
    };
    const int inkHere = ink(here.image), inkThere = ink(there.image);
    QVERIFY2(inkHere > 0 && qAbs(inkThere - inkHere) < inkHere / 10,
             qPrintable(QStringLiteral("%1 %2").arg(inkThere).arg(inkHere)));
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_MAIN(HostileTest)
#include "test_hostile.moc"
