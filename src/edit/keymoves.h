// The keyboard's edits on the editor data: arrow moves of the current point or,
// in area mode, of the selection, a run of them taken back by one undo, and the
// Page Up / Page Down walk. Plain functions; no widgets.
#pragma once

#include "figure/figuredata.h"

namespace lp {

// A run of arrow moves, taken back by one undo. Its first move takes the undo
// copy; it goes on only while nothing but its own moves has touched the figure
// or the undo copy since its last move. Any other command ends it.
struct MoveRun {
    static constexpr int kSelection = -1;  // target: the selection in area mode

    bool active = false;
    int target = 0;  // the point moved, or kSelection
    Coords undoX{}, undoY{}, afterX{}, afterY{};

    void end() { active = false; }
    // Whether a move of `what` goes on with the run, undo still being on.
    bool continues(int what, const FigureData& d, bool undoEnabled) const;
    // The figure as the last move left it, its second half made.
    void moved(const FigureData& d);
};

enum class KeyMove {
    None,       // nothing moved: at the border, or no current point
    Continued,  // a further move of the run
    Started,    // a new run: the undo copy was taken before the move
};

// An arrow move by (dx, dy): in area mode of the points inside the rectangle
// and the rectangle, stopping at the field's border (a run's first move selects
// them, as a left press does); otherwise of the current point, clamped to the
// field. A run's first move of a point ends template making.
KeyMove MoveByKey(FigureData& d, MoveRun& run, bool undoEnabled, int dx, int dy);

// Page Up (step -1) and Page Down (step 1): the point before or after c,
// wrapping within the points that can be picked (the first half in the "128"
// mode); without a current point, the last or the first.
int StepPoint(int c, int step, bool half128);

}  // namespace lp
