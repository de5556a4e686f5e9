// SVG drawn in the decoding program as the SVG library's own converter draws
// it (clip paths, masks, CSS, text in the fonts read before the sandbox), and
// traced as drawn.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "picture/picturefile.h"
#include "support/files.h"
#include "trace/trace.h"

namespace {

const QByteArray kHead = "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='200'>";
// Bold "HOH" of which a clip path shows only the left half, x < 200.
const QByteArray kClippedText = kHead +
                                "<clipPath id='c'><rect width='200' height='200'/></clipPath>"
                                "<text x='20' y='150' font-family='sans-serif' font-weight='bold' "
                                "font-size='140' clip-path='url(#c)'>HOH</text></svg>";
// A blue band with a hole a mask makes, coloured by the style sheet.
const QByteArray kMaskedByCss = kHead +
                                "<style>.band{fill:#00f;mask:url(#m)} .hole{fill:black}</style>"
                                "<mask id='m'><rect width='400' height='200' fill='white'/>"
                                "<circle class='hole' cx='200' cy='100' r='60'/></mask>"
                                "<rect class='band' y='40' width='400' height='120'/></svg>";

}  // namespace

class SvgTest : public QObject {
    Q_OBJECT
  private slots:
    void drawnAsTheLibraryDraws_data();
    void drawnAsTheLibraryDraws();

  private:
    QTemporaryDir dir_;
};

void SvgTest::drawnAsTheLibraryDraws_data() {
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<bool>("packed");
    QTest::addColumn<double>("clipEnd");                              // in field units, 0: not traced
    QTest::newRow("clipped text") << kClippedText << false << 128.0;  // 200 of 400 px on 256 units
    QTest::newRow("clipped text, packed") << kClippedText << true << 128.0;
    QTest::newRow("mask and style sheet") << kMaskedByCss << false << 0.0;
}

void SvgTest::drawnAsTheLibraryDraws() {
    QFETCH(QByteArray, svg);
    QFETCH(bool, packed);
    QFETCH(double, clipEnd);
    const QString path = dir_.filePath(QStringLiteral("p.svg")), truthPath = dir_.filePath("truth.png");
    QVERIFY(WriteBytes(path, svg));
    if (packed) QCOMPARE(QProcess::execute(QStringLiteral("gzip"), {"-f", "-S", "z", path}), 0);
    const QString file = packed ? path + u'z' : path;
    QCOMPARE(
        QProcess::execute(QStringLiteral("rsvg-convert"), {"-w", "400", "-h", "200", "-o", truthPath, file}),
        0);
    const QImage truth = QImage(truthPath).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const lp::PictureResult drawn = lp::LoadPicturePreview(file, QSize(400, 200));
    QVERIFY2(drawn, qPrintable(drawn.error));
    QCOMPARE(drawn.image.size(), truth.size());
    int differing = 0;
    for (int y = 0; y < truth.height(); ++y)
        for (int x = 0; x < truth.width(); ++x) {
            const QRgb a = drawn.image.pixel(x, y), b = truth.pixel(x, y);
            differing += std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                                   qAbs(qBlue(a) - qBlue(b)), qAbs(qAlpha(a) - qAlpha(b))}) > 16;
        }
    QVERIFY2(differing < truth.width() * truth.height() / 500, qPrintable(QString::number(differing)));
    if (clipEnd == 0) return;
    // Traced as the clip shows it: up to its edge, never beyond.
    const lp::TraceResult r =
        lp::TraceImage(drawn.image, {}, lp::TracePlacement::InPlace(QRectF(0, 0, 256, 128)));
    QVERIFY2(r.ok, qPrintable(r.error));
    const double right = *std::max_element(r.X.begin(), r.X.end());
    QVERIFY2(right > clipEnd - 8 && right <= clipEnd + 1, qPrintable(QString::number(right)));
}

QTEST_MAIN(SvgTest)
#include "test_svg.moc"
