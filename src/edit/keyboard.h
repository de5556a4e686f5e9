// The editor's keys on the main window: shortcuts for the file and edit
// commands, moving the current point or the selection with the arrow keys and
// stepping the current point along the contour.
//
// The keys are taken from the application's event stream, so they reach the
// editor whatever control of the main window has the focus, and only while the
// main window is the active window with no dialog or popup in front of it.
#pragma once

#include <QObject>

#include "figure/figuredata.h"

class QKeyEvent;
class TBaseForm;

class EditorKeys : public QObject {
    Q_OBJECT
  public:
    explicit EditorKeys(TBaseForm* form);
    ~EditorKeys() override;

    enum class Action {
        None,
        Open,
        Save,
        Undo,
        ProgramWindow,
        Trace,
        Insert,
        Delete,
        PreviousPoint,
        NextPoint,
        Move
    };

    // Moves of the current point (or of the selection in area mode) follow one
    // another in a series; the first move takes the undo copy, so one undo
    // takes back the whole series. Any other command ends it.
    void EndSeries() { series_ = false; }
    bool InSeries() const { return series_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool reachesEditor(QObject* watched) const;
    Action actionFor(const QKeyEvent* key, int& dx, int& dy) const;
    void perform(Action action, int dx, int dy);
    void movePoint(int dx, int dy);
    void moveSelection(int dx, int dy);
    void stepPoint(int step);
    void showPoint(int c);

    bool continues(int target) const;
    void startSeries(int target);
    void moved();

    TBaseForm* form_;
    bool series_ = false;
    int target_ = 0;  // the point moved, or kSelection
    lp::Coords undoX_{}, undoY_{}, afterX_{}, afterY_{};
};
