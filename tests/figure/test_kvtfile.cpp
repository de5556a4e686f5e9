#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "figure/kvtfile.h"
#include "support/files.h"

using namespace lp;

namespace {

PictureBytes Filled(uint8_t v) {
    PictureBytes b;
    b.fill(v);
    return b;
}

QByteArray ImageOf(const PictureBytes& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), kFileImageSize);
}

}  // namespace

class TestKvtFile : public QObject, FreshFolder {
    Q_OBJECT

  private slots:
    void init();
    void roundTripIsByteForByte();
    void coordinateBlocks();
    void shortFileRefused();
    void longFileReadsFirst2048();
    void readOnlyFileOpens();
    void unreadablePathsFail();
    void failedWriteLeavesTargetAlone();
    void failedWriteKeepsOldFile();
    void pictureName();
    void longNamesOverwrite();
    void linkAndPermissionsKept();
    void readOnlyFolderWritesInPlace();
};

void TestKvtFile::init() {
    QVERIFY(renewFolder());
}

void TestKvtFile::roundTripIsByteForByte() {
    const QByteArray original = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("in.kvt"), original));

    PictureBytes buf = Filled(0x7F);
    QVERIFY(ReadPictureFile(path("in.kvt"), buf));
    QCOMPARE(ImageOf(buf), original);
    QCOMPARE(buf[kFileImageSize], uint8_t(0x7F));

    // To a new file, and over the existing one.
    QVERIFY(WritePictureFile(path("out.kvt"), buf));
    QCOMPARE(ReadBytes(path("out.kvt")), original);
    QVERIFY(WriteBytes(path("in.kvt"), RandomBytes(kFileImageSize)));
    QVERIFY(WritePictureFile(path("in.kvt"), buf));
    QCOMPARE(ReadBytes(path("in.kvt")), original);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 2);  // no temporaries left
}

void TestKvtFile::coordinateBlocks() {
    QByteArray bytes(kFileImageSize, char(0x11));
    for (int i = 0; i < kPointCount; ++i) {
        bytes[i] = char(i);
        bytes[kYBlockOffset + i] = char(255 - i);
    }
    QVERIFY(WriteBytes(path("diag.kvt"), bytes));
    PictureBytes buf = Filled(0);
    QVERIFY(ReadPictureFile(path("diag.kvt"), buf));

    Coords x{}, y{};
    ImageToFigure(buf, x, y);
    for (int i = 0; i < kPointCount; ++i) {
        QCOMPARE(x[i], uint8_t(i));
        QCOMPARE(y[i], uint8_t(255 - i));
    }

    // Back into an image: only the two coordinate blocks change.
    x.fill(1);
    y.fill(2);
    FigureToImage(x, y, buf);
    for (int i = 0; i < kPictureBufferSize; ++i) {
        uint8_t expected = i < kFileImageSize ? 0x11 : 0;
        if (i < kPointCount) expected = 1;
        if (i >= kYBlockOffset && i < kYBlockOffset + kPointCount) expected = 2;
        QCOMPARE(buf[i], expected);
    }
}

void TestKvtFile::shortFileRefused() {
    QVERIFY(WriteBytes(path("short.kvt"), RandomBytes(1000)));
    PictureBytes buf = Filled(0x7F);
    const FileResult r = ReadPictureFile(path("short.kvt"), buf);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(buf == Filled(0x7F));

    QVERIFY(WriteBytes(path("2047.kvt"), RandomBytes(kFileImageSize - 1)));
    QVERIFY(!ReadPictureFile(path("2047.kvt"), buf).ok);
    QVERIFY(buf == Filled(0x7F));
}

void TestKvtFile::longFileReadsFirst2048() {
    const QByteArray bytes = RandomBytes(3000);
    QVERIFY(WriteBytes(path("long.kvt"), bytes));
    PictureBytes buf = Filled(0x7F);
    QVERIFY(ReadPictureFile(path("long.kvt"), buf));
    QCOMPARE(ImageOf(buf), bytes.left(kFileImageSize));
    for (int i = kFileImageSize; i < kPictureBufferSize; ++i) QCOMPARE(buf[i], uint8_t(0x7F));
}

void TestKvtFile::readOnlyFileOpens() {
    // Proves little when run as root, where permission bits stop nothing.
    const QByteArray bytes = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("ro.kvt"), bytes));
    QVERIFY(QFile::setPermissions(path("ro.kvt"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    PictureBytes buf = Filled(0);
    const FileResult r = ReadPictureFile(path("ro.kvt"), buf);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(ImageOf(buf), bytes);
}

void TestKvtFile::unreadablePathsFail() {
    PictureBytes buf = Filled(0x7F);
    FileResult r = ReadPictureFile(path("missing.kvt"), buf);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(QDir(dir_->path()).mkdir("folder.kvt"));
    r = ReadPictureFile(path("folder.kvt"), buf);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(buf == Filled(0x7F));
}

void TestKvtFile::failedWriteLeavesTargetAlone() {
    const PictureBytes buf = Filled(0x42);

    // The parent is a regular file.
    QVERIFY(WriteBytes(path("plain"), "abc"));
    FileResult r = WritePictureFile(path("plain/pic.kvt"), buf);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(ReadBytes(path("plain")), QByteArray("abc"));

    // A directory stands where the file should go.
    QVERIFY(QDir(dir_->path()).mkpath("taken.kvt/inner"));
    r = WritePictureFile(path("taken.kvt"), buf);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(QFileInfo(path("taken.kvt/inner")).isDir());

    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

void TestKvtFile::failedWriteKeepsOldFile() {
    // A file size limit below 2048 bytes makes the write fail for root too.
    const QByteArray old = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(path("old.kvt"), old));

    FileResult r;
    {
        FileSizeLimit limit(1000);
        QVERIFY(limit.ok());
        r = WritePictureFile(path("old.kvt"), Filled(0x42));
    }

    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(ReadBytes(path("old.kvt")), old);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 1);
}

void TestKvtFile::pictureName() {
    for (const char* name : {"pic.old.kvt", "noext", ".kvt"}) QVERIFY(WriteBytes(path(name), "x"));
    QCOMPARE(PictureNameFor(path("pic.old.kvt")), QString("pic.old"));
    QCOMPARE(PictureNameFor(path("noext")), QString("noext"));
    QCOMPARE(PictureNameFor(path(".kvt")), QString(""));
    QCOMPARE(PictureNameFor(path("missing.kvt")), QString(" NoName "));
    QCOMPARE(PictureNameFor(QString()), QString(" NoName "));

    // The directory part is dropped, dots in it included.
    QVERIFY(QDir(dir_->path()).mkdir("a.b"));
    QVERIFY(WriteBytes(path("a.b/name"), "x"));
    QCOMPARE(PictureNameFor(path("a.b/name")), QString("name"));
}

// The temporary file of the safe save has a short name of its own: targets
// whose names are as long as the file system allows are replaced too.
void TestKvtFile::longNamesOverwrite() {
    for (const QString& name :
         {QString(251, QLatin1Char('a')) + ".kvt", QString(125, QChar(0x436)) + ".kvt"}) {
        QCOMPARE(QFile::encodeName(name).size() / 250, 1);  // 254 or 255 bytes
        QVERIFY(WriteBytes(path(name), RandomBytes(kFileImageSize)));
        const FileResult r = WritePictureFile(path(name), Filled(0x42));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(ReadBytes(path(name)), ImageOf(Filled(0x42)));
        QVERIFY(QFile::remove(path(name)));
    }
    QVERIFY(QDir(dir_->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// Saving through a link writes the file it names, which keeps its permissions.
void TestKvtFile::linkAndPermissionsKept() {
    QVERIFY(WriteBytes(path("real.kvt"), RandomBytes(kFileImageSize)));
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path("real.kvt"), mode));
    QVERIFY(QFile::link("real.kvt", path("link.kvt")));
    QVERIFY(WritePictureFile(path("link.kvt"), Filled(0x42)));
    QVERIFY(QFileInfo(path("link.kvt")).isSymLink());
    QCOMPARE(ReadBytes(path("real.kvt")), ImageOf(Filled(0x42)));
    QCOMPARE(QFile::permissions(path("real.kvt")), mode | QFile::ReadUser | QFile::WriteUser);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);
}

// A writable file in a folder that may not be written is rewritten in place,
// all 2048 bytes or an error with the old bytes back; a new file cannot be
// made there, and a file protected against writing is not replaced even where
// the folder allows it.
void TestKvtFile::readOnlyFolderWritesInPlace() {
    const QString locked = path("locked"), open = path("open");
    QVERIFY(QDir().mkdir(locked) && QDir().mkdir(open));
    const QByteArray old = RandomBytes(3000), guarded = RandomBytes(kFileImageSize);
    QVERIFY(WriteBytes(locked + "/pic.kvt", old) && WriteBytes(open + "/ro.kvt", guarded));
    QVERIFY(QFile::setPermissions(open + "/ro.kvt", QFile::ReadOwner | QFile::ReadOther));
    struct stat before;
    QVERIFY(::stat(QFile::encodeName(locked + "/pic.kvt").constData(), &before) == 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        for (const QString& p : {locked, locked + "/pic.kvt", open, open + "/ro.kvt"})
            QVERIFY(::chown(QFile::encodeName(p).constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
    }
    QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0555) == 0);

    auto body = [&]() -> QString {
        if (WriteBytes(locked + "/probe", "x")) return QStringLiteral("SKIP");
        if (const FileResult r = WritePictureFile(locked + "/pic.kvt", Filled(0x42)); !r) return r.error;
        FileResult r;
        {
            FileSizeLimit limit(1000);
            if (!limit.ok()) return QStringLiteral("no file size limit");
            r = WritePictureFile(locked + "/pic.kvt", Filled(0x43));
        }
        if (r || !r.error.contains(QStringLiteral("1000 из 2048")) ||
            !r.error.contains(QStringLiteral("сохранено")))
            return QStringLiteral("short write: ") + r.error;
        if (WritePictureFile(locked + "/new.kvt", Filled(0x42)))
            return QStringLiteral("created in locked folder");
        if (WritePictureFile(open + "/ro.kvt", Filled(0x42)))
            return QStringLiteral("replaced protected file");
        return {};
    };
    const std::optional<QString> complaint = root ? RunUnprivileged(body) : std::optional(body());
    ::chmod(QFile::encodeName(locked).constData(), 0755);
    if (!complaint) QSKIP("runs as root and cannot switch to an unprivileged user");
    if (*complaint == "SKIP") QSKIP("permission bits do not stop this user from writing the folder");
    QVERIFY2(complaint->isEmpty(), qPrintable(*complaint));

    // The first write went in place: same file, 2048 bytes; the second stopped
    // at 1000 and put the previous bytes back.
    struct stat after;
    QVERIFY(::stat(QFile::encodeName(locked + "/pic.kvt").constData(), &after) == 0);
    QCOMPARE(after.st_ino, before.st_ino);
    const QByteArray now = ReadBytes(locked + "/pic.kvt");
    QCOMPARE(now, ImageOf(Filled(0x42)));
    QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"pic.kvt"});
    QCOMPARE(ReadBytes(open + "/ro.kvt"), guarded);
    QCOMPARE(QDir(open).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"ro.kvt"});
}

QTEST_GUILESS_MAIN(TestKvtFile)
#include "test_kvtfile.moc"
