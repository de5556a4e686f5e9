// The editor's keys on the main window: the table of keys and the commands
// they run (shortcuts for the file and edit commands, moving the current point
// or the selection with the arrow keys, stepping the current point along the
// contour). The moves themselves are in edit/keymoves.h.
//
// The keys are taken from the application's event stream, so they reach the
// editor whatever control of the main window has the focus, and only while the
// main window is the active window with no dialog or popup in front of it.
#pragma once

#include <QObject>

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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool reachesEditor(QObject* watched) const;
    Action actionFor(const QKeyEvent* key, int& dx, int& dy) const;
    void perform(Action action, int dx, int dy);

    TBaseForm* form_;
};
