// The picture being edited: the figure and its file image, the editor state,
// the undo copy and the unsaved-changes flag, the "128" and mirror modes, and
// the names of the picture's file and of the picture under the field. Every
// change goes through it and is announced to the listeners of `changed`; the
// main window shows it. No widgets.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "edit/keymoves.h"
#include "figure/figuredata.h"
#include "files/fileresult.h"
#include "shapes/generators.h"

namespace lp {

class Editor {
  public:
    // The listeners are plain callbacks rather than a Qt signal: the model is
    // plain C++, built without the meta-object compiler, and each listener
    // lives as long as the editor's owner.
    using Listener = std::function<void()>;
    void onChanged(Listener listener) { listeners_.push_back(std::move(listener)); }

    Editor();

    // The figure, its file image and the copies.
    const FigureData& data() const { return data_; }
    const Coords& FigureX() const { return data_.FigureX; }
    const Coords& FigureY() const { return data_.FigureY; }
    const PictureBytes& PictureBuffer() const { return data_.PictureBuffer; }
    // The interaction state (current point, area, drag, template) the handlers step.
    EditorState& state() { return data_.State; }
    const EditorState& state() const { return data_.State; }

    // The unsaved-changes flag: set by every undo copy, cleared by undo and by a save.
    bool unsaved() const { return unsaved_; }
    void clearUnsaved();  // the figure counts as saved
    bool half128() const { return half128_; }
    bool mirrorGor() const { return mirrorGor_; }
    bool mirrorVert() const { return mirrorVert_; }
    void setHalf128(bool on);
    void setMirrors(bool gor, bool vert);

    // The empty figure: all points and the file image at the centre.
    void clear();
    // The undo copy takes the figure; the flag is set.
    void toUndo();
    // The figure back from the undo copy; the flag is cleared.
    void fromUndo();
    // A whole new figure, undoable (an imported frame, a traced contour).
    void replaceFigure(const Coords& X, const Coords& Y);
    // The figure set as it is, the undo copy and the flag left alone.
    void setFigure(const Coords& X, const Coords& Y);

    // Templates: the generator of the selected template with the "128" mode,
    // then the second half and the mirrors. False when a polygon side reported
    // start >= finish.
    bool makeTemplate(GenerateInputs in);
    // The second half derived from the first by the current modes.
    void madeHalf();

    // Point list commands on the current point.
    void insertPoint(int offset);
    void deletePoint();
    void rotatePoints(bool forward);
    void normalPoints(int d);

    // Mouse editing: a point dragged, the area's selection and its move.
    void setPoint(int i, uint8_t fx, uint8_t fy);
    void selectArea();
    void shiftSelection(int fx, int fy);
    // Whether the figure differs from the last redraw's copy; takeLastCopy takes it.
    bool figureChanged() const;
    void takeLastCopy();

    // Keyboard moves: a run of arrow moves is taken back by one undo.
    KeyMove moveByKey(int dx, int dy);
    const MoveRun& moveRun() const { return moveRun_; }
    void endMoveRun() { moveRun_.end(); }
    void noteMoveDone() { moveRun_.moved(data_); }
    int stepPoint(int step) const;

    // Files. Opening reads the whole image or changes nothing; a save writes
    // the figure's image and clears the flag only when it was all written.
    FileResult openFile(const QString& path);
    FileResult saveFile(const QString& path);
    // The picture's name for the file at path (" NoName " when none is there).
    void nameFrom(const QString& path);
    void setPictureName(const QString& name);
    void setPictureFile(const QString& path);

    // The picture's file shown in the caption, the file the figure belongs to,
    // the picture under the field and the picture's own name.
    const QString& fileName() const { return fileName_; }
    const QString& filePath() const { return filePath_; }
    const QString& pictureFile() const { return pictureFile_; }
    const QString& PictureName() const { return pictureName_; }

    // The recovery copy's view: whether the figure differs from the one last
    // opened or saved, the file image with the figure, and a copy taken back.
    void markSaved(const QString& path);
    bool differsFromSaved() const;
    PictureBytes fileImage() const;
    void restore(const PictureBytes& image, const QString& path, const QString& name);

  private:
    void notify();

    FigureData data_;
    Corners corners_;
    MoveRun moveRun_;
    bool unsaved_ = false;
    bool half128_ = false;
    bool mirrorGor_ = false;
    bool mirrorVert_ = false;
    QString fileName_, filePath_, pictureFile_;
    QString pictureName_ = QStringLiteral("No-Name-");
    std::optional<std::pair<Coords, Coords>> savedFigure_;  // as last opened or saved; none after a restore
    std::vector<Listener> listeners_;
};

}  // namespace lp
