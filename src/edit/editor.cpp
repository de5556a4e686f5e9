#include "edit/editor.h"

#include <algorithm>

#include "edit/editcore.h"
#include "edit/pointlist.h"
#include "figure/kvtfile.h"

namespace lp {

Editor::Editor() {
    clear();
    markSaved(QString());  // the empty figure is nothing to recover
}

void Editor::notify() {
    for (const Listener& listener : listeners_) listener();
}

void Editor::setHalf128(bool on) {
    half128_ = on;
    notify();
}

void Editor::setMirrors(bool gor, bool vert) {
    mirrorGor_ = gor;
    mirrorVert_ = vert;
    notify();
}

void Editor::clear() {
    data_.FigureX.fill(127);
    data_.FigureY.fill(127);
    data_.PictureBuffer.fill(0x7F);
    toUndo();
}

void Editor::toUndo() {
    data_.UndoX = data_.FigureX;
    data_.UndoY = data_.FigureY;
    unsaved_ = true;
    notify();
}

void Editor::clearUnsaved() {
    unsaved_ = false;
    notify();
}

void Editor::fromUndo() {
    data_.FigureX = data_.UndoX;
    data_.FigureY = data_.UndoY;
    unsaved_ = false;
    notify();
}

void Editor::replaceFigure(const Coords& X, const Coords& Y) {
    toUndo();
    setFigure(X, Y);
}

void Editor::setFigure(const Coords& X, const Coords& Y) {
    data_.FigureX = X;
    data_.FigureY = Y;
    notify();
}

bool Editor::makeTemplate(GenerateInputs in) {
    toUndo();
    in.half = half128_;
    EditorState& s = data_.State;
    const bool ok = RunGenerator(s.MakeMode, data_.FigureX, data_.FigureY, corners_, in, s.LinesFlag);
    if (s.MakeMode != MakeNone)
        CompleteFigure(data_.FigureX, data_.FigureY, half128_, mirrorGor_, mirrorVert_, s.LinesFlag);
    notify();
    return ok;
}

void Editor::madeHalf() {
    MadeHalf(data_.FigureX, data_.FigureY, half128_, mirrorGor_, mirrorVert_);
    notify();
}

void Editor::insertPoint(int offset) {
    toUndo();
    InsertPoint(data_.FigureX, data_.FigureY, data_.State.CurrentPoint, offset);
    notify();
}

void Editor::deletePoint() {
    toUndo();
    DeletePoint(data_.FigureX, data_.FigureY, data_.State.CurrentPoint);
    notify();
}

void Editor::rotatePoints(bool forward) {
    RotatePoints(data_.FigureX, data_.FigureY, forward);
    notify();
}

void Editor::normalPoints(int d) {
    toUndo();
    NormalPoints(data_.FigureX, data_.FigureY, d);
    notify();
}

void Editor::setPoint(int i, uint8_t fx, uint8_t fy) {
    if (i < 0 || i >= kPointCount) return;
    data_.FigureX[i] = fx;
    data_.FigureY[i] = fy;
    notify();
}

void Editor::selectArea() {
    SelectArea(data_.State, data_.FigureX, data_.FigureY, data_.SelectMask);
}

void Editor::shiftSelection(int fx, int fy) {
    SdvigXY(data_.State, data_.FigureX, data_.FigureY, data_.SelectMask, fx, fy);
    notify();
}

bool Editor::figureChanged() const {
    return FigureChanged(data_);
}

void Editor::takeLastCopy() {
    TakeLastCopy(data_);
}

KeyMove Editor::moveByKey(int dx, int dy) {
    const KeyMove move = MoveByKey(data_, moveRun_, unsaved_, dx, dy);
    if (move == KeyMove::Started) unsaved_ = true;  // the run's undo copy was taken
    if (move != KeyMove::None) notify();
    return move;
}

int Editor::stepPoint(int step) const {
    return StepPoint(data_.State.CurrentPoint, step, half128_);
}

// The picture's own file, its names and the view the recovery copy takes of it.
FileResult Editor::openFile(const QString& path) {
    const FileResult read = ReadPictureFile(path, data_.PictureBuffer);
    if (!read) return read;
    fileName_ = path;
    ImageToFigure(data_.PictureBuffer, data_.FigureX, data_.FigureY);
    markSaved(path);
    notify();
    return read;
}

FileResult Editor::saveFile(const QString& path) {
    FigureToImage(data_.FigureX, data_.FigureY, data_.PictureBuffer);
    const FileResult written = WritePictureFile(path, data_.PictureBuffer);
    if (!written) return written;  // names and the flag stay as they were
    fileName_ = path;
    nameFrom(path);
    markSaved(path);
    clearUnsaved();
    return written;
}

void Editor::nameFrom(const QString& path) {
    setPictureName(PictureNameFor(path));
}

void Editor::setPictureName(const QString& name) {
    pictureName_ = name;
    notify();
}

void Editor::setPictureFile(const QString& path) {
    pictureFile_ = path;
    notify();
}

void Editor::markSaved(const QString& path) {
    savedFigure_ = std::make_pair(data_.FigureX, data_.FigureY);
    filePath_ = path;
    notify();
}

bool Editor::differsFromSaved() const {
    return !savedFigure_ || savedFigure_->first != data_.FigureX || savedFigure_->second != data_.FigureY;
}

PictureBytes Editor::fileImage() const {
    PictureBytes image = data_.PictureBuffer;
    FigureToImage(data_.FigureX, data_.FigureY, image);
    return image;
}

void Editor::restore(const PictureBytes& image, const QString& path, const QString& name) {
    toUndo();
    std::copy_n(image.begin(), kFileImageSize, data_.PictureBuffer.begin());
    ImageToFigure(data_.PictureBuffer, data_.FigureX, data_.FigureY);
    savedFigure_.reset();  // unsaved until saved
    filePath_ = path;
    if (!path.isEmpty()) fileName_ = path;
    if (!name.isEmpty()) pictureName_ = name;
    notify();
}

}  // namespace lp
