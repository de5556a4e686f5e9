// The trace window "Обводка": the picture under the field or text becomes a
// contour, shown on the field and in the window's own preview while the
// options change, and taken as the figure with "Применить". A click on a part
// in the preview leaves it out or brings it back. The window only traces and
// reports; the main window shows its results and takes them.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRectF>
#include <memory>

#include "tracewin/tracework.h"
#include "work/newest.h"

namespace Ui {
class TTraceForm;
}

class TTraceForm : public QDialog {
    Q_OBJECT
  public:
    explicit TTraceForm(QWidget* parent = nullptr);
    ~TTraceForm() override;

    std::unique_ptr<Ui::TTraceForm> ui;

    // What the picture tab traces: the picture under the field and where it
    // lies there, in field units; a null picture when none is shown. `hidden`:
    // a picture is there but switched off.
    struct Picture {
        QImage image;
        QRectF area;
        bool hidden = false;
    };
    void setPicture(const Picture& picture);

    // The result on show: it answers the current options when current() is set.
    const lp::TraceResult& result() const { return shown_; }
    bool current() const { return current_; }
    // A trace is running or waiting to run.
    bool busy() const { return tracing_.busy(); }
    // The parts the result on show was routed through.
    const std::shared_ptr<const lp::TraceParts>& parts() const { return parts_; }

    // Moves the window beside `avoid` (global coordinates), on its screen.
    void placeBeside(const QRect& avoid);

    // Closing drops whatever trace still runs.
    void done(int result) override;

  signals:
    // Another result is on show (result(), which may have failed).
    void resultChanged();
    void openPictureRequested();
    void showPictureRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // An option that changes the parts: they are found again, the choice of
    // them dropped; `mask`: it changes the ink mask too.
    void findAgain(bool mask);
    void partClicked(int id);
    void resetParts();
    void retrace();
    bool makeJob(lp::TraceJob& job, QString& why) const;
    void present(const lp::TraceOutcome& outcome);
    void applyClicked();
    void updateLabels();

    Picture picture_;
    bool current_ = false;
    bool applyWhenReady_ = false;
    lp::TraceResult shown_;
    lp::NewestWins tracing_{this, lp::NoThread::RunHere};  // the newest options win
    // The changes of the options that change the parts, and of those that
    // change the mask, are counted: the parts and the mask on hand answer the
    // options when they were made at the newest count.
    quint64 partsAsked_ = 1, partsHeld_ = 0, maskAsked_ = 1, maskHeld_ = 0;
    std::shared_ptr<const lp::TraceParts> parts_;
    std::shared_ptr<const lp::InkMask> mask_;
    lp::PartChoice choice_;  // the user's clicks on the parts on hand
};
