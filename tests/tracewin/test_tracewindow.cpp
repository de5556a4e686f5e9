// The trace window as the user meets it: over a real picture laid under the
// field and stretched by the size bars, taken and undone, cancelled with
// nothing changed, showing only what answers the newest options, its parts
// chosen in its preview, which draws the route as bright as the beam.
#include <QSignalSpy>

#include "tracefixture.h"

namespace {

// Distance from p to the outline of r.
double ToOutline(QPointF p, const QRectF& r) {
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    if (dx > 0 || dy > 0) return std::hypot(dx, dy);
    return std::min({p.x() - r.left(), r.right() - p.x(), p.y() - r.top(), r.bottom() - p.y()});
}

}  // namespace

class TraceWindowTest : public QObject, TraceFixture {
    Q_OBJECT
  private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    // The traced points lie on the rectangle's outline as the stretched picture shows it.
    void placement_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("linked");
        QTest::newRow("linked 320") << 320 << 320 << true;
        QTest::newRow("wide") << 480 << 200 << false;
        QTest::newRow("tall") << 150 << 420 << false;
    }
    void placement() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, linked);
        loadPicture(writePicture({400, 300}, {100, 60, 200, 150}));
        win::togezCheck(*form_)->setChecked(linked);
        win::razmXBar(*form_)->setValue(width);
        win::razmYBar(*form_)->setValue(height);
        QCOMPARE(win::pictureBox(*form_)->size(), QSize(width, height));

        // The ink's pixels as the picture box shows them, on the field's pixels.
        const QImage shown = win::pictureBox(*form_)->grab().toImage();
        QRect ink;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
        ink.translate(win::pictureBox(*form_)->pos() - win::field(*form_)->pos());
        // Point u is drawn on pixel 2u: the ink's outline in field units.
        const QRectF edges((ink.left() - 0.5) / 2, (ink.top() - 0.5) / 2, ink.width() / 2.0,
                           ink.height() / 2.0);

        const lp::TraceResult& traced = openTrace()->result();
        QVERIFY(traced.ok);
        QPolygonF points;
        for (int i = 0; i < lp::kPointCount; ++i) {
            points << QPointF(traced.X[i], traced.Y[i]);
            QVERIFY2(ToOutline(points.last(), edges) <= 1.25, qPrintable(QString::number(i)));
        }
        const QRectF box = points.boundingRect();  // and they go all round it
        QVERIFY(qAbs(box.left() - edges.left()) <= 1.25 && qAbs(box.right() - edges.right()) <= 1.25);
        QVERIFY(qAbs(box.top() - edges.top()) <= 1.25 && qAbs(box.bottom() - edges.bottom()) <= 1.25);
    }

    // Return takes the contour as the figure; one undo brings back the one
    // before (an edit of its own, the frame template), not an older one.
    void applyAndUndo_data() {
        QTest::addColumn<bool>("text");
        QTest::newRow("picture") << false;
        QTest::newRow("text") << true;
    }
    void applyAndUndo() {
        QFETCH(bool, text);
        loadPicture(writePicture({300, 300}, {50, 80, 200, 120}));
        win::figuraButton(*form_)->click();
        const lp::Coords x = form_->editor().FigureX(), y = form_->editor().FigureY();
        TTraceForm* trace = openTrace();
        if (text) {  // two lines: Enter starts the second, Ctrl+Enter applies
            trace->ui->TabSource->setCurrentWidget(trace->ui->TabText);
            QTest::keyClicks(trace->ui->EditText, QStringLiteral("LASER"));
            QTest::keyClick(trace->ui->EditText, Qt::Key_Return);
            QTest::keyClicks(trace->ui->EditText, QStringLiteral("ON"));
            QTRY_VERIFY(trace->current() && !trace->busy());
        }
        const lp::TraceResult traced = trace->result();
        QVERIFY(traced.ok);
        QTest::keyClick(text ? static_cast<QWidget*>(trace->ui->EditText) : trace, Qt::Key_Return,
                        text ? Qt::ControlModifier : Qt::NoModifier);
        QVERIFY(!trace->isVisible());
        QCOMPARE(form_->editor().FigureX(), traced.X);
        QCOMPARE(form_->editor().FigureY(), traced.Y);
        QVERIFY(form_->UndoEnabled());  // unsaved, as after any edit
        if (text) {                     // centred, its longer side the size asked
            const auto [x0, x1] = std::minmax_element(traced.X.begin(), traced.X.end());
            const auto [y0, y1] = std::minmax_element(traced.Y.begin(), traced.Y.end());
            QVERIFY(qAbs(*x1 - *x0 - 200) <= 2 && qAbs((*x1 + *x0) / 2.0 - 127) <= 1.5);
            QVERIFY(*y1 - *y0 > 0.4 * (*x1 - *x0));  // both lines
        }
        win::undoButton(*form_)->click();
        QCOMPARE(form_->editor().FigureX(), x);
        QCOMPARE(form_->editor().FigureY(), y);
    }

    // However the window is left, and even while a trace still runs, the
    // figure, the undo copy and every pixel stay as they were; the main
    // window's keys do nothing meanwhile.
    void cancelLeavesEverything_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("button") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("closed") << 2;
        QTest::newRow("while tracing") << 3;
    }
    void cancelLeavesEverything() {
        QFETCH(int, how);
        loadPicture(writePicture({400, 400}, {40, 40, 300, 200}));
        win::cucleButton(*form_)->click();
        form_->FullReturn(0);
        const lp::FigureData before = form_->editor().data();
        const bool unsaved = form_->UndoEnabled();
        const QList<QImage> pixels = screen();

        TTraceForm* trace = openTrace();
        QVERIFY(trace->result().ok && win::field(*form_)->image() != pixels[0]);  // the contour shows
        QTest::keyClick(form_.get(), Qt::Key_Delete);
        QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
        if (how == 3) trace->ui->ComboInk->setCurrentIndex(2);
        if (how == 0) trace->ui->ButtonCancel->click();
        if (how == 1 || how == 3) QTest::keyClick(trace, Qt::Key_Escape);
        if (how == 2) trace->close();
        QVERIFY(!trace->isVisible());
        QTRY_VERIFY(!trace->busy());  // a trace still running is dropped
        const lp::FigureData& after = form_->editor().data();
        QVERIFY(after.FigureX == before.FigureX && after.FigureY == before.FigureY);
        QVERIFY(after.UndoX == before.UndoX && after.UndoY == before.UndoY &&
                form_->UndoEnabled() == unsaved);
        QVERIFY(screen() == pixels);
    }

    // A change while a trace runs: that trace's result is never shown, only the newest.
    void staleResultsDropped() {
        loadPicture(writePicture({1024, 768}, {200, 150, 600, 400}));
        TTraceForm* trace = openTrace();
        QSignalSpy shown(trace, &TTraceForm::resultChanged);
        trace->ui->CheckBoxAutoThreshold->click();  // starts a trace
        trace->ui->ComboInk->setCurrentIndex(2);    // while it runs
        QVERIFY(trace->busy());
        QTRY_VERIFY(!trace->busy());
        QCOMPARE(shown.count(), 1);
        // What the engine gives for the newest options, and not for the older ones.
        lp::TraceRequest job;
        job.picture = win::pictureBox(*form_)->picture();
        job.placement = lp::TracePlacement::InPlace(area());
        job.options.mask = {false, trace->ui->SliderThreshold->value(), lp::Ink::Light};
        QCOMPARE(trace->result().X, lp::TraceSession().trace(job).result.X);
        job.options.mask.ink = lp::Ink::Dark;
        QVERIFY(trace->result().X != lp::TraceSession().trace(job).result.X);
    }

    // Two rectangles: a click on the smaller in the preview, or keeping the largest only, leaves it
    // out of the figure taken and shows it grey; a second click, or another option, brings it back.
    // Shift+click keeps the part alone; a tab switch keeps the clicks.
    void chooseParts_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("largest");
        QTest::addColumn<int>("then");  // 1: an option changed, 2: to the text tab and back, 3: Shift held
        QTest::addColumn<bool>("drawn");
        QTest::newRow("clicked") << 1 << 0 << 0 << false;
        QTest::newRow("clicked again") << 2 << 0 << 0 << true;
        QTest::newRow("largest 1") << 0 << 1 << 0 << false;
        QTest::newRow("largest 1, clicked") << 1 << 1 << 0 << true;
        QTest::newRow("clicked, option changed") << 1 << 0 << 1 << true;
        QTest::newRow("clicked, tab switched") << 1 << 0 << 2 << false;
        QTest::newRow("shift-clicked") << 1 << 0 << 3 << true;
    }
    void chooseParts() {
        QFETCH(int, clicks);
        QFETCH(int, largest);
        QFETCH(int, then);
        QFETCH(bool, drawn);
        const QSize size(400, 300);
        const QRect large(40, 40, 200, 150), small(300, 200, 60, 50);
        loadPicture(writePicture(size, large, {small}));
        auto onField = [&](QRect r) { return toField(size).mapRect(QRectF(r)).adjusted(-1, -1, 1, 1); };
        TTraceForm* trace = openTrace();
        trace->ui->SpinLargest->setValue(largest);
        settle(trace);
        lp::TBeamView* view = trace->ui->BeamView;
        const double scale = view->width() / 256.0;
        const QRectF target = onField(small);
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(view, Qt::LeftButton, then == 3 ? Qt::ShiftModifier : Qt::KeyboardModifiers(),
                              inPreview(trace, target.center()));
            settle(trace);
        }
        if (then == 1) trace->ui->SliderSpeck->setValue(trace->ui->SliderSpeck->value() + 1);
        if (then == 2) {
            trace->ui->TabSource->setCurrentWidget(trace->ui->TabText);
            settle(trace);
            trace->ui->TabSource->setCurrentWidget(trace->ui->TabPicture);
        }
        QTRY_VERIFY(trace->current() && !trace->busy());
        QTest::mouseMove(view, QPoint(1, 1));  // nothing under the mouse: nothing lit
        const QImage shown = view->grab().toImage();
        int grey = 0;  // the small part's outline in grey, not green
        for (int x = int(target.left() * scale); x <= int(target.right() * scale) + 1; ++x)
            for (int y = int(target.top() * scale); y <= int(target.top() * scale) + 4; ++y)
                grey = std::max(grey, qRed(shown.pixel(x, y)));
        QCOMPARE(grey > 40, !drawn);

        QTest::keyClick(trace, Qt::Key_Return);
        QVERIFY(!trace->isVisible());
        int inSmall = 0, inLarge = 0;
        for (int i = 0; i < lp::kPointCount; ++i) {
            const QPointF p(form_->editor().FigureX()[i], form_->editor().FigureY()[i]);
            inSmall += target.contains(p);
            inLarge += onField(large).contains(p);
        }
        QVERIFY2((inSmall >= 8) == drawn && (inSmall == 0) == !drawn, qPrintable(QString::number(inSmall)));
        QCOMPARE(inLarge >= 100, then != 3);
    }

    // The preview draws the route on black, each segment the dimmer the longer:
    // two runs of unit steps joined by jumps of 180 units.
    void beamBrightness() {
        lp::TraceResult routed;
        routed.ok = true;
        for (int i = 0; i < lp::kPointCount; ++i) {
            routed.X[i] = uint8_t(i < 128 ? 60 + i : 187 - (i - 128));
            routed.Y[i] = i < 128 ? 40 : 220;
        }
        lp::TBeamView view;
        view.resize(320, 320);
        view.setTrace(std::make_shared<const lp::TraceParts>(), routed, false);
        const QImage shown = view.grab().toImage();
        auto green = [&](QPointF at) {  // the brightest green about a point of the field
            const QPoint c = ((at + QPointF(0.5, 0.5)) * 320 / 256.0).toPoint();
            int most = 0;
            for (int y = c.y() - 1; y <= c.y() + 1; ++y)
                for (int x = c.x() - 1; x <= c.x() + 1; ++x) most = std::max(most, qGreen(shown.pixel(x, y)));
            return most;
        };
        const int step = green({120, 40}), jump = green({187, 130}), ground = green({120, 130});
        QVERIFY(ground == 0 && jump > 10 && step > 3 * jump);
    }

    // Light on dark: the automatic ink and "Светлое на тёмном" trace it; dark
    // ink finds nothing and says what to try.
    void inkChoice() {
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter(&image).fillRect(100, 50, 100, 100, Qt::white);
        const QString path = dir_.filePath(QStringLiteral("dark.png"));
        QVERIFY(image.save(path));
        loadPicture(path);
        TTraceForm* trace = openTrace();
        for (const int ink : {0, 1, 2}) {
            trace->ui->ComboInk->setCurrentIndex(ink);
            QTRY_VERIFY(trace->current() && !trace->busy());
            QCOMPARE(trace->result().ok, ink != 1);
            QCOMPARE(trace->ui->LabelStatus->text().contains(u"Попробуйте обводить светлое на тёмном"),
                     ink == 1);
        }
    }

    // "Применить" while the options' trace still runs takes that trace's contour.
    void applyWhileTracing() {
        loadPicture(writePicture({1024, 768}, {200, 150, 600, 400}));
        TTraceForm* trace = openTrace();
        trace->ui->RadioLines->click();
        QVERIFY(trace->busy());
        trace->ui->ButtonApply->click();
        QTRY_VERIFY(!trace->isVisible());
        lp::TraceRequest job;
        job.picture = win::pictureBox(*form_)->picture();
        job.placement = lp::TracePlacement::InPlace(area());
        job.options.mode = lp::TraceOptions::Mode::Lines;
        QCOMPARE(form_->editor().FigureX(), lp::TraceSession().trace(job).result.X);
    }

    // Nothing to trace, or no picture at all: said so, and nothing to take.
    void nothingToTrace() {
        TTraceForm* trace = openTrace(true);
        QVERIFY(trace->ui->LabelPicture->text().contains(u"нет картинки") &&
                !trace->ui->ButtonApply->isEnabled());
        dialogs_->fileAnswers.enqueue(writePicture({200, 200}, {}));
        trace->ui->ButtonOpenPicture->click();
        QTRY_VERIFY(!win::pictureBox(*form_)->isHidden() && trace->current() && !trace->busy());
        QVERIFY(trace->ui->LabelStatus->text().startsWith(QStringLiteral("Нечего обводить: ")));
        QTest::keyClick(trace, Qt::Key_Return);
        QVERIFY(trace->isVisible() && !trace->ui->ButtonApply->isEnabled());
    }
};

QTEST_MAIN(TraceWindowTest)
#include "test_tracewindow.moc"
