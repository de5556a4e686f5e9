// SVG drawn in the decoding program as the SVG library's converter draws it,
// and traced as drawn.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "picture/picturefile.h"
#include "support/files.h"
#include "trace/session/session.h"

class SvgTest : public QObject {
    Q_OBJECT
  private slots:
    void clippedTextDrawnAndTracedAsShown();
};

void SvgTest::clippedTextDrawnAndTracedAsShown() {
    // Bold "HOH" of which a clip path shows only the left half, x < 200 of 400:
    // 128 of 256 units.
    const QByteArray svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='400' "
        "height='200'><clipPath id='c'><rect width='200' "
        "height='200'/></clipPath><text x='20' y='150' "
        "font-family='sans-serif' font-weight='bold' "
        "font-size='140' clip-path='url(#c)'>HOH</text></svg>";
    for (const bool packed : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("p.svg"), file = packed ? path + u'z' : path;
        QVERIFY(WriteBytes(path, svg) && (!packed || QProcess::execute("gzip", {"-S", "z", path}) == 0));
        QCOMPARE(
            QProcess::execute("rsvg-convert", {"-w", "400", "-h", "200", "-o", dir.filePath("t.png"), file}),
            0);
        const QImage truth =
            QImage(dir.filePath("t.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const lp::PictureResult drawn = lp::LoadPicturePreview(file, QSize(400, 200));
        QVERIFY2(drawn && drawn.image.size() == truth.size(), qPrintable(drawn.error));
        int differing = 0;  // bytes off by more than 16
        for (qsizetype i = 0; i < truth.sizeInBytes(); ++i)
            differing += qAbs(drawn.image.constBits()[i] - truth.constBits()[i]) > 16;
        QVERIFY2(differing < truth.sizeInBytes() / 2000, qPrintable(QString::number(differing)));
        // Traced as the clip shows it: up to its edge, never beyond.
        const lp::TraceResult r =
            lp::TraceImage(drawn.image, {}, lp::TracePlacement::InPlace({0, 0, 256, 128}));
        const double right = *std::max_element(r.X.begin(), r.X.end());
        QVERIFY2(r.ok && right > 120 && right <= 129, qPrintable(r.error + QString::number(right)));
    }
}

QTEST_MAIN(SvgTest)
#include "test_svg.moc"
