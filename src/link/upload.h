// What the upload window shows and sends, without its controls: the figure
// and the name field's text, the mirror choices, the port item, whether the
// window closes after a good transmission, and the transmission log. The
// window binds its controls to it; the transmission runs here, on the
// model's own serial link.
#pragma once

#include <QObject>
#include <QString>

#include "link/seriallink.h"

namespace lp {

// The closing lines of a transmission log: what went wrong, if anything, and
// the bytes the port took.
void LogUploadEnd(const LinkReport& report, const UploadLog& log);

class Upload : public QObject {
    Q_OBJECT
  public:
    explicit Upload(QObject* parent = nullptr);

    SerialLink link;

    // The figure and the picture name to upload: copies of the main window's,
    // taken as the window opens. Until then all points are in the centre.
    void setPicture(const Coords& figureX, const Coords& figureY, const QString& pictureName);
    const UploadPicture& picture() const { return picture_; }

    // The name field's text; only its first eight characters are sent.
    const QString& name() const { return picture_.name; }
    void setName(const QString& name);
    bool invertX() const { return picture_.invertX; }
    void setInvertX(bool on);
    bool invertY() const { return picture_.invertY; }
    void setInvertY(bool on);
    int portItem() const { return portItem_; }
    void setPortItem(int item);
    bool closeAfter() const { return closeAfter_; }
    void setCloseAfter(bool on);

    const QString& log() const { return log_; }

    // Each opening of the window: the log waits, the name is the picture's
    // again (in full, a name typed before is replaced).
    void Activate();
    // Opens the chosen port with one stop bit; false, reported on the link,
    // when it did not open or took no settings: nothing is sent or logged.
    bool Open();
    // On the open port: the four frames, each logged before it goes out, the
    // drain and the closing lines with the bytes the port took. Each piece of
    // the log also goes to `shown` as it is written.
    void Transmit(const UploadLog& shown = {});
    // Open and Transmit; false when the port did not open.
    bool Send(const UploadLog& shown = {});
    // Whether the window closes after the transmission: asked for, and all went well.
    bool closesWindow() const { return closeAfter_ && !link.Report().failed; }

  signals:
    // One of the values the controls show changed.
    void changed();

  private:
    void logPiece(const QString& text, bool newLine, const UploadLog& shown);
    template <typename T>
    void set(T& field, const T& value);

    UploadPicture picture_;
    QString pictureName_ = QStringLiteral("No-Name-");
    int portItem_ = 1;
    bool closeAfter_ = true;
    QString log_ = QStringLiteral("Waiting ...");
};

}  // namespace lp
