// The figure's reset and its single level of undo, done by the editor; the
// undo button follows its unsaved-changes flag.

#include "app/baseform.h"

void TBaseForm::ClearPicture() {
    editor_.clear();
    FullReturn(1);
}

void TBaseForm::ToUndo() {
    editor_.toUndo();
}

void TBaseForm::FromUndo() {
    editor_.fromUndo();
    FullReturn(1);
}

void TBaseForm::SpeedButtonUndoClick() {
    FromUndo();
}

bool TBaseForm::UndoEnabled() const {
    return editor_.unsaved();
}
