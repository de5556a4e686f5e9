// The trace window as the user meets it: over a real picture laid under the
// field and stretched by the size bars, taken and undone, cancelled with
// nothing changed, showing only what answers the newest options, its parts
// chosen in its preview, which draws the route as bright as the beam.
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/baseform.h"
#include "support/scripteddialogs.h"
#include "tracewin/beamview.h"
#include "tracewin/traceform.h"
#include "tracewin/traceplace.h"
#include "ui_baseform.h"
#include "ui_traceform.h"

namespace {

// Distance from p to the outline of r.
double ToOutline(QPointF p, const QRectF& r) {
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    if (dx > 0 || dy > 0) return std::hypot(dx, dy);
    return std::min({p.x() - r.left(), r.right() - p.x(), p.y() - r.top(), r.bottom() - p.y()});
}

}  // namespace

class TraceWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TBaseForm> form_;

    // A picture of rectangles in one grey on another, written as a PNG file.
    QString writePicture(QSize size, QRect ink, const QList<QRect>& more = {}, int ground = 255,
                         int tone = 0) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(ground, ground, ground));
        QPainter painter(&image);
        for (const QRect& r : QList<QRect>{ink} + more) painter.fillRect(r, QColor(tone, tone, tone));
        painter.end();
        const QString path = dir_.filePath(QStringLiteral("picture.png"));
        return image.save(path) ? path : QString();
    }
    void loadPicture(const QString& path) {
        dialogs_->fileAnswers.enqueue(path);
        form_->ui->SpeedButtonLoadPicture->click();
    }
    TTraceForm* openTrace(bool byKey = false) {
        byKey ? QTest::keyClick(form_.get(), Qt::Key_T, Qt::ControlModifier)
              : form_->ui->SpeedButtonTrace->click();
        TTraceForm* trace = form_->traceForm();
        [&] { QTRY_VERIFY(trace && trace->isVisible() && trace->current() && !trace->busy()); }();
        return trace;
    }
    QRectF area() const {  // where the picture lies on the field
        return lp::FieldUnitsOf(
            QRectF(form_->ui->ImageDraw->geometry().translated(-form_->ui->PaintBoxDraw->pos())));
    }
    // A picture of `size` pixels lying on the field.
    QTransform toField(QSize size) const {
        return QTransform::fromScale(area().width() / size.width(), area().height() / size.height()) *
               QTransform::fromTranslate(area().left(), area().top());
    }
    static void settle(TTraceForm* trace) { QTRY_VERIFY(trace->current() && !trace->busy()); }
    // The drawn parts' ids in the result on show.
    static std::set<int> drawnParts(TTraceForm* trace) {
        std::set<int> drawn;
        for (size_t i = 0; i < trace->result().states.size(); ++i)
            if (trace->result().states[i] == lp::PartState::Drawn) drawn.insert(int(i));
        return drawn;
    }
    // A field point's pixel in the preview.
    static QPoint inPreview(TTraceForm* trace, QPointF onField) {
        return ((onField + QPointF(0.5, 0.5)) * trace->ui->BeamView->scale()).toPoint();
    }
    QList<QImage> screen() const {  // the retained images and the window's pixels
        return {form_->ui->PaintBoxDraw->image(), form_->ui->PaintBoxView->image(), form_->grab().toImage()};
    }

  private slots:
    void init() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        form_ = std::make_unique<TBaseForm>();
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() {
        if (TTraceForm* trace = form_->traceForm()) QTRY_VERIFY(!trace->busy());
        form_.reset(), dialogs_.reset();
    }

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
        Ui::TBaseForm* ui = form_->ui.get();
        ui->CheckBoxTogez->setChecked(linked);
        ui->ScrollBarRazmX->setValue(width);
        ui->ScrollBarRazmY->setValue(height);
        QCOMPARE(ui->ImageDraw->size(), QSize(width, height));

        // The ink's pixels as the picture box shows them, on the field's pixels.
        const QImage shown = ui->ImageDraw->grab().toImage();
        QRect ink;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
        ink.translate(ui->ImageDraw->pos() - ui->PaintBoxDraw->pos());
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
        form_->ui->SpeedButtonFigura->click();
        const lp::Coords x = form_->FigureX, y = form_->FigureY;
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
        QCOMPARE(form_->FigureX, traced.X);
        QCOMPARE(form_->FigureY, traced.Y);
        QVERIFY(form_->UndoEnabled());  // unsaved, as after any edit
        if (text) {                     // centred, its longer side the size asked
            const auto [x0, x1] = std::minmax_element(traced.X.begin(), traced.X.end());
            const auto [y0, y1] = std::minmax_element(traced.Y.begin(), traced.Y.end());
            QVERIFY(qAbs(*x1 - *x0 - 200) <= 2 && qAbs((*x1 + *x0) / 2.0 - 127) <= 1.5);
            QVERIFY(*y1 - *y0 > 0.4 * (*x1 - *x0));  // both lines
        }
        form_->ui->SpeedButtonUndo->click();
        QCOMPARE(form_->FigureX, x);
        QCOMPARE(form_->FigureY, y);
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
        form_->ui->SpeedButtonCucle->click();
        form_->FullReturn(0);
        const lp::FigureData before = form_->data;
        const bool unsaved = form_->UndoEnabled();
        const QList<QImage> pixels = screen();

        TTraceForm* trace = openTrace();
        QVERIFY(trace->result().ok && form_->ui->PaintBoxDraw->image() != pixels[0]);  // the contour shows
        QTest::keyClick(form_.get(), Qt::Key_Delete);
        QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
        if (how == 3) trace->ui->ComboInk->setCurrentIndex(2);
        if (how == 0) trace->ui->ButtonCancel->click();
        if (how == 1 || how == 3) QTest::keyClick(trace, Qt::Key_Escape);
        if (how == 2) trace->close();
        QVERIFY(!trace->isVisible());
        QTRY_VERIFY(!trace->busy());  // a trace still running is dropped
        const lp::FigureData& after = form_->data;
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
        lp::TraceJob job;
        job.picture = form_->ui->ImageDraw->picture();
        job.area = area();
        job.options.mask = {false, trace->ui->SliderThreshold->value(), lp::Ink::Light};
        QCOMPARE(trace->result().X, lp::RunTraceJob(job).result.X);
        job.options.mask.ink = lp::Ink::Dark;
        QVERIFY(trace->result().X != lp::RunTraceJob(job).result.X);
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
            const QPointF p(form_->FigureX[i], form_->FigureY[i]);
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
        lp::TraceJob job;
        job.picture = form_->ui->ImageDraw->picture();
        job.area = area();
        job.options.mode = lp::TraceOptions::Mode::Lines;
        QCOMPARE(form_->FigureX, lp::RunTraceJob(job).result.X);
    }

    // Nothing to trace, or no picture at all: said so, and nothing to take.
    void nothingToTrace() {
        TTraceForm* trace = openTrace(true);
        QVERIFY(trace->ui->LabelPicture->text().contains(u"нет картинки") &&
                !trace->ui->ButtonApply->isEnabled());
        dialogs_->fileAnswers.enqueue(writePicture({200, 200}, {}));
        trace->ui->ButtonOpenPicture->click();
        QTRY_VERIFY(!form_->ui->ImageDraw->isHidden() && trace->current() && !trace->busy());
        QVERIFY(trace->ui->LabelStatus->text().startsWith(QStringLiteral("Нечего обводить: ")));
        QTest::keyClick(trace, Qt::Key_Return);
        QVERIFY(trace->isVisible() && !trace->ui->ButtonApply->isEnabled());
    }

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
        QCOMPARE(form_->FigureX, trace->result().X);
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

QTEST_MAIN(TraceWindowTest)
#include "test_tracewindow.moc"
