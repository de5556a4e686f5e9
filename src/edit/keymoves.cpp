#include "edit/keymoves.h"

#include <algorithm>

#include "edit/editcore.h"

namespace lp {

namespace {

bool SameArea(const EditorState& a, const EditorState& b) {
    return a.AreaX1 == b.AreaX1 && a.AreaY1 == b.AreaY1 && a.AreaX2 == b.AreaX2 && a.AreaY2 == b.AreaY2;
}

void Start(MoveRun& run, int target, FigureData& d) {
    d.UndoX = d.FigureX;
    d.UndoY = d.FigureY;
    run.active = true;
    run.target = target;
    run.undoX = d.UndoX;
    run.undoY = d.UndoY;
}

}  // namespace

bool MoveRun::continues(int what, const FigureData& d, bool undoEnabled) const {
    return active && target == what && undoEnabled && d.UndoX == undoX && d.UndoY == undoY &&
           d.FigureX == afterX && d.FigureY == afterY;
}

void MoveRun::moved(const FigureData& d) {
    afterX = d.FigureX;
    afterY = d.FigureY;
}

KeyMove MoveByKey(FigureData& d, MoveRun& run, bool undoEnabled, int dx, int dy) {
    EditorState& state = d.State;
    if (!state.AreaMode) {
        const int c = state.CurrentPoint;
        Coords x = d.FigureX, y = d.FigureY;
        NudgePoint(x, y, c, dx, dy);
        if (x == d.FigureX && y == d.FigureY) return KeyMove::None;  // at the border already
        const bool fresh = !run.continues(c, d, undoEnabled);
        if (fresh) {
            Start(run, c, d);
            state.MakeMode = MakeNone;  // as a pick with the mouse
        }
        d.FigureX = x;
        d.FigureY = y;
        return fresh ? KeyMove::Started : KeyMove::Continued;
    }
    const bool fresh = !run.continues(MoveRun::kSelection, d, undoEnabled);
    EditorState s = state;
    Coords x = d.FigureX, y = d.FigureY, mask = d.SelectMask;
    if (fresh) SelectArea(s, x, y, mask);
    const EditorState before = s;
    MoveSelection(s, x, y, mask, dx, dy);
    if (SameArea(s, before) && x == d.FigureX && y == d.FigureY) return KeyMove::None;  // at the border
    if (fresh) {
        Start(run, MoveRun::kSelection, d);
        d.SelectMask = mask;
    }
    state.AreaX1 = s.AreaX1;
    state.AreaY1 = s.AreaY1;
    state.AreaX2 = s.AreaX2;
    state.AreaY2 = s.AreaY2;
    d.FigureX = x;
    d.FigureY = y;
    return fresh ? KeyMove::Started : KeyMove::Continued;
}

int StepPoint(int c, int step, bool half128) {
    const int last = half128 ? 127 : kPointCount - 1;
    if (c < 0 || c >= kPointCount) return step > 0 ? 0 : last;
    if (step > 0) return c + 1 > last ? 0 : c + 1;
    return c - 1 < 0 ? last : std::min(c - 1, last);
}

}  // namespace lp
