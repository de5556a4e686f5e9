// The upload window: sends the figure being edited to the standalone device
// under an eight-character name, in four frames over its own serial link, and
// keeps a log of every value sent. The values and the sending are the upload
// model's; the window shows them, plays the clip and keeps to one
// transmission at a time.
#pragma once

#include <QDialog>
#include <memory>

#include "figure/figuredata.h"
#include "link/upload.h"

namespace Ui {
class TTxComForm;
}

class TTxComForm : public QDialog {
    Q_OBJECT
  public:
    explicit TTxComForm(QWidget* parent = nullptr);
    ~TTxComForm() override;

    // The figure and the picture name to upload: copies of the main window's,
    // taken as it opens this window. Until then all points are in the centre.
    void setPicture(const lp::Coords& figureX, const lp::Coords& figureY, const QString& pictureName);

    std::unique_ptr<Ui::TTxComForm> ui;
    lp::Upload upload;

    void FormActivate();
    void SpeedButtonTablClick();
    void SpeedButtonBegTxClick();

    // The log box: a piece for the end of the last line or a line of its own,
    // and the closing lines with the bytes the port took.
    void logPiece(const QString& text, bool newLine);
    void logEnd(const lp::LinkReport& report);

    // The window's size with its frame, the frame taken as the system draws
    // it or, before there is one, as the layout was made for.
    QSize outerSize() const;
    void setOuterSize(const QSize& outer);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void transmit();
    void NameEdited(const QString& text);
    void showUpload();  // the controls as the model has them

    QString nameBefore_;
};
