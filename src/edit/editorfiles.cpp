// The editor's files: the picture's own file, its names and the view the
// recovery copy takes of it.
#include <algorithm>

#include "edit/editor.h"
#include "figure/kvtfile.h"

namespace lp {

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
