#include "link/upload.h"

#include <QCoreApplication>

namespace lp {

Upload::Upload(QObject* parent) : QObject(parent) {
    picture_.X.fill(127);
    picture_.Y.fill(127);
    picture_.name = QStringLiteral("NNMMNNMM");
    picture_.invertX = picture_.invertY = true;
}

template <typename T>
void Upload::set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    emit changed();
}

void Upload::setPicture(const Coords& figureX, const Coords& figureY, const QString& pictureName) {
    picture_.X = figureX;
    picture_.Y = figureY;
    pictureName_ = pictureName;
}

void Upload::setName(const QString& name) {
    set(picture_.name, name);
}
void Upload::setInvertX(bool on) {
    set(picture_.invertX, on);
}
void Upload::setInvertY(bool on) {
    set(picture_.invertY, on);
}
void Upload::setPortItem(int item) {
    set(portItem_, item);
}
void Upload::setCloseAfter(bool on) {
    set(closeAfter_, on);
}

void Upload::Activate() {
    log_ = kLogWaiting;
    setName(pictureName_);
}

bool Upload::Open() {
    return link.OpenPort(portItem_, 1);
}

void LogUploadEnd(const LinkReport& report, const UploadLog& log) {
    log(QStringLiteral(" "), true);
    if (report.failed)
        log(QCoreApplication::translate("TTxComForm", " Передача прервана. ") + report.summary(), true);
    log(QStringLiteral(" "), true);
    log(UploadSummary(report.taken), false);
}

void Upload::logPiece(const QString& text, bool newLine, const UploadLog& shown) {
    if (newLine) log_ += QLatin1Char('\n');
    log_ += text;
    if (shown) shown(text, newLine);
}

void Upload::Transmit(const UploadLog& shown) {
    log_.clear();
    const auto piece = [&](const QString& text, bool newLine) { logPiece(text, newLine, shown); };
    // A failed write ends the frames, not the log.
    link.Upload(picture_, piece);
    // The last bytes leave the line before the closing lines say what happened.
    link.ClosePort();
    LogUploadEnd(link.Report(), piece);
}

bool Upload::Send(const UploadLog& shown) {
    if (!Open()) return false;
    Transmit(shown);
    return true;
}

}  // namespace lp
