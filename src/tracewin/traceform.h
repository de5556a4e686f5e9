// The trace window "Обводка": the picture under the field or text becomes a
// contour, shown on the field and in the window's own preview while the
// options change, and taken as the figure with "Применить". In the preview a
// click on a part leaves it out or brings it back, Shift+click keeps it alone,
// and a rectangle dragged frames what is traced. The window only traces and
// reports; the main window shows its results and takes them.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRectF>
#include <QTransform>
#include <array>
#include <memory>

#include "trace/session/session.h"
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
    const std::shared_ptr<const lp::TraceParts>& parts() const { return sources_[tab()].parts; }
    // The part of the picture traced, in its pixels; empty for all of it.
    QRectF frame() const { return frame_; }

    // Sizes the window to its screen and moves it beside the main window's
    // field and preview (global coordinates), hiding the preview only when
    // the screen has no room.
    void placeBeside(const QRect& field, const QRect& preview);

    // Closing drops whatever trace still runs.
    void done(int result) override;

  signals:
    // Another result is on show (result(), which may have failed).
    void resultChanged();
    void openPictureRequested();
    void showPictureRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Each tab has its own tracing session (the stages made for its last
    // trace) and the user's choice of parts. The choice holds while the parts
    // on show answer the options.
    struct Source {
        lp::TraceSession session;
        std::shared_ptr<const lp::TraceParts> parts;  // on show
        bool partsCurrent = false;
        lp::PartChoice choice;  // the user's clicks on the parts on show
    };
    enum { kPicture, kText };
    int tab() const;

    // An option that changes the parts of a tab: they are found again, the
    // choice of them dropped.
    void findAgain(int which);
    void sizeChanged();
    void partClicked(int id, bool alone);
    void frameDrawn(const QRectF& onField);
    void resetParts();
    void retrace();
    bool makeRequest(lp::TraceRequest& request, QString& why) const;
    void present(int which, const lp::TraceOutcome& outcome);
    void showPartName(int id);
    void applyClicked();
    void acceptIfSafe();
    void updateLabels();
    void updateView();

    Picture picture_;
    QRectF frame_;
    QTransform pictureToField_;  // the picture's pixels -> the field, as the picture tab shows it
    bool current_ = false;
    bool applyWhenReady_ = false;
    bool placed_ = false;
    lp::TraceResult shown_;
    lp::NewestWins tracing_{this, lp::NoThread::RunHere};  // the newest options win
    std::array<Source, 2> sources_;
};
