// The trace window's tests' common ground: a shown main window whose
// questions and file dialogs are scripted, pictures written to a temporary
// folder and laid under the field, and the trace window opened over them.
#pragma once

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <set>

#include "app/baseform.h"
#include "support/basewindow.h"
#include "support/scripteddialogs.h"
#include "tracewin/beamview.h"
#include "tracewin/traceform.h"
#include "ui_traceform.h"

class TraceFixture {
  protected:
    void start() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        form_ = std::make_unique<TBaseForm>();
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void stop() {
        if (TTraceForm* trace = form_->traceForm()) QTRY_VERIFY(!trace->busy());
        form_.reset(), dialogs_.reset();
    }

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
        win::loadPictureButton(*form_)->click();
    }
    TTraceForm* openTrace(bool byKey = false) {
        byKey ? QTest::keyClick(form_.get(), Qt::Key_T, Qt::ControlModifier)
              : win::traceButton(*form_)->click();
        TTraceForm* trace = form_->traceForm();
        [&] { QTRY_VERIFY(trace && trace->isVisible() && trace->current() && !trace->busy()); }();
        return trace;
    }
    QRectF area() const {  // where the picture lies on the field
        return lp::FieldUnitsOf(
            QRectF(win::pictureBox(*form_)->geometry().translated(-win::field(*form_)->pos())));
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
        return {win::field(*form_)->image(), win::preview(*form_)->image(), form_->grab().toImage()};
    }
};
