// The trace window framing what it traces and telling the truth about it:
// fitted to the field or framed on its preview, as bright as the beam on one
// scale, parts brought back beside the others, the automatic threshold kept,
// numbers confirmed by Enter, a beam that nearly stands still warned of, and
// the window placed beside the main window's preview.
#include "tracefixture.h"
#include "tracewin/traceplace.h"

class TraceFramingTest : public QObject, TraceFixture {
    Q_OBJECT
  private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    // "Вписать в поле": a drawing in a corner of a page spans the size asked,
    // centred, its aspect kept; so again when the window opens again.
    void fitToField() {
        loadPicture(writePicture({620, 877}, {40, 50, 120, 60}));
        TTraceForm* trace = openTrace();
        trace->ui->ComboPlace->setCurrentIndex(1);
        trace->ui->SpinSize->setValue(180);
        for (int opening = 0; opening < 2; ++opening) {
            settle(trace);
            const lp::TraceResult& r = trace->result();
            const auto [x0, x1] = std::minmax_element(r.X.begin(), r.X.end());
            const auto [y0, y1] = std::minmax_element(r.Y.begin(), r.Y.end());
            QVERIFY(r.ok && qAbs(*x1 - *x0 - 180) <= 2 && qAbs(*y1 - *y0 - 90) <= 2);
            QVERIFY(qAbs((*x0 + *x1) / 2.0 - 127) <= 1.5 && qAbs((*y0 + *y1) / 2.0 - 127) <= 1.5);
            trace->ui->ButtonCancel->click();
            trace = openTrace();
        }
    }

    // A rectangle dragged on the preview traces only what lies in it; a click outside ends it.
    void frameLimitsParts() {
        const QSize size(400, 300);
        loadPicture(writePicture(size, {40, 40, 120, 100}, {{240, 150, 120, 100}}));
        TTraceForm* trace = openTrace();
        QCOMPARE(trace->result().partsFound, 2);
        const QRectF around = toField(size).mapRect(QRectF(20, 20, 180, 150));
        lp::TBeamView* view = trace->ui->BeamView;
        QTest::mousePress(view, Qt::LeftButton, {}, inPreview(trace, around.topLeft()));
        QTest::mouseMove(view, inPreview(trace, around.center()));
        QTest::mouseRelease(view, Qt::LeftButton, {}, inPreview(trace, around.bottomRight()));
        settle(trace);
        QVERIFY(!trace->frame().isEmpty() && trace->result().partsFound == 1);
        for (int i = 0; i < lp::kPointCount; ++i)
            QVERIFY(around.contains(QPointF(trace->result().X[i], trace->result().Y[i])));
        QTest::mouseClick(view, Qt::LeftButton, {}, inPreview(trace, {240, 240}));
        settle(trace);
        QVERIFY(trace->frame().isEmpty() && trace->result().partsFound == 2);
    }

    // One scale for every route: squares of 160 and 240 units (their edges
    // on the same fractions of a pixel) light the preview in the ratio of
    // their routes, and the status says how bright against the circle of 200
    // units (628 units round).
    void brightnessOnOneScale() {
        loadPicture(writePicture({400, 400}, {100, 100, 200, 200}));
        TTraceForm* trace = openTrace();
        trace->ui->ComboPlace->setCurrentIndex(1);
        QList<double> mean;
        for (const auto& [side, percent] : {std::pair{160, 98}, std::pair{240, 65}}) {
            trace->ui->SpinSize->setValue(side);
            settle(trace);
            const QString status = trace->ui->LabelStatus->text();
            const int at = status.indexOf(QStringLiteral("Яркость ")) + 8;
            QVERIFY2(qAbs(QStringView(status).mid(at, status.indexOf(u' ', at) - at).toInt() - percent) <= 1,
                     qPrintable(status));
            QTest::mouseMove(trace->ui->BeamView, QPoint(1, 1));  // no part lit by the mouse
            const QImage shown = trace->ui->BeamView->grab().toImage();
            double sum = 0, lit = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (const int g = qGreen(shown.pixel(x, y)); g > 0) sum += g, ++lit;
            mean << sum / lit;
        }
        QVERIFY2(qAbs(mean[0] / mean[1] / (960.0 / 640) - 1) < 0.15,
                 qPrintable(QString::number(mean[0] / mean[1])));
    }

    // With the two largest kept, a small square clicked back is drawn beside
    // them: both stay drawn, and nothing is said to have made room.
    void broughtBackKeepsTheOthers() {
        const QSize size(400, 400);
        const QRect island(200, 300, 6, 6);
        loadPicture(writePicture(size, {20, 20, 240, 160}, {{300, 40, 80, 60}, {60, 300, 30, 30}, island}));
        TTraceForm* trace = openTrace();
        trace->ui->SpinLargest->setValue(2);
        settle(trace);
        QCOMPARE(drawnParts(trace), (std::set<int>{0, 1}));
        QTest::mouseClick(trace->ui->BeamView, Qt::LeftButton, {},
                          inPreview(trace, toField(size).mapRect(QRectF(island)).center()));
        settle(trace);
        QCOMPARE(drawnParts(trace), (std::set<int>{0, 1, 3}));
        QVERIFY(!trace->ui->LabelStatus->text().contains(QStringLiteral("уступили")));
    }

    // While "Автоматический порог" is ticked the slider shows the threshold
    // found, between the two greys; unticked, the trace goes on from it unchanged.
    void sliderHoldsAutomaticThreshold() {
        loadPicture(writePicture({400, 300}, {100, 60, 200, 150}, {}, 90, 20));
        TTraceForm* trace = openTrace();
        const lp::TraceResult automatic = trace->result();
        const int threshold = trace->ui->SliderThreshold->value();
        QVERIFY2(threshold > 20 && threshold <= 90, qPrintable(QString::number(threshold)));
        trace->ui->CheckBoxAutoThreshold->click();
        settle(trace);
        QVERIFY(trace->ui->SliderThreshold->value() == threshold && trace->result().X == automatic.X);
    }

    // Enter in a number field confirms the number and leaves the window open;
    // Ctrl+Enter there applies.
    void enterConfirmsNumber() {
        loadPicture(writePicture({400, 300}, {40, 40, 200, 150}, {{300, 200, 60, 50}}));
        TTraceForm* trace = openTrace();
        QSpinBox* spin = trace->ui->SpinLargest;
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("1"));
        QTest::keyClick(spin, Qt::Key_Return);
        settle(trace);
        QVERIFY(trace->isVisible() && spin->value() == 1 && trace->result().partsDrawn == 1);
        QTest::keyClick(spin, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!trace->isVisible());
    }

    // A route of 20 units: the status warns that the beam nearly stands
    // still, and Apply asks before taking it, No by default; declined, the window stays.
    void stillBeamWarned() {
        loadPicture(writePicture({400, 400}, {195, 195, 10, 10}));
        TTraceForm* trace = openTrace();
        QVERIFY(trace->result().ok && trace->ui->LabelStatus->text().contains(u"Луч почти стоит на месте"));
        dialogs_->messageAnswers.enqueue(QMessageBox::No);
        trace->ui->ButtonApply->click();
        QVERIFY(trace->isVisible() && dialogs_->messages.size() == 1);
        QCOMPARE(dialogs_->messages[0].defaultButton, QMessageBox::No);  // Return held does not take it
        trace->ui->ButtonApply->click();
        QVERIFY(!trace->isVisible() && dialogs_->messages.size() == 2);
        QCOMPARE(form_->editor().FigureX(), trace->result().X);
    }

    // Beside the main window's field and preview: on a 1280 x 1024 screen
    // clear of the preview with a preview of 480 px or more, on a wide one
    // clear of both.
    void placedBeside_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("clearOfField");
        QTest::newRow("1280 x 1024") << QSize(1280, 994) << false;
        QTest::newRow("1920 x 1080") << QSize(1920, 1050) << true;
    }
    void placedBeside() {
        QFETCH(QSize, screen);
        QFETCH(bool, clearOfField);
        const QRect room({0, 0}, screen), field(200, 129, 512, 512), preview(720, 137, 256, 256);
        const QRect spot = lp::PlaceTraceWindow(room, field, preview, 640, 320,
                                                [](int side) { return QSize(392 + side, 100 + side); });
        QVERIFY(room.contains(spot) && !spot.intersects(preview) && spot.width() - 392 >= 480);
        QCOMPARE(!spot.intersects(field), clearOfField);
    }
};

QTEST_MAIN(TraceFramingTest)
#include "test_traceframing.moc"
