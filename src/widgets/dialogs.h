// The one place where the editor asks the user something modally: message boxes
// and file dialogs. Tests install their own answers through setDialogs().
#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include "figure/ilda.h"

class QWidget;

namespace lp {

// What a file dialog remembers between uses.
struct FileDialogState {
    QString title;
    QString filter;         // "Description (*.ext)"
    QString defaultSuffix;  // appended to a typed name without one; empty for none
    QString fileName;       // the last name chosen, or the initial one
    bool preview = false;   // a preview of the picture under selection beside the list
};

class DialogSeam {
  public:
    virtual ~DialogSeam() = default;

    // An empty caption is the usual one of the icon's kind; with no default
    // button given, the box chooses one (Yes or Ok before the others). A
    // question left without an answer (Escape, the box's close button)
    // answers Cancel, even when only Yes and No are offered.
    virtual QMessageBox::StandardButton message(
        QWidget* parent, QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
        const QString& caption = QString(),
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Each returns false when the user cancels; on acceptance state.fileName holds the choice.
    virtual bool openFile(QWidget* parent, FileDialogState& state);
    virtual bool saveFile(QWidget* parent, FileDialogState& state);
    // Hands a mail or web link to the desktop's default handler; the result
    // is not examined.
    virtual void openLink(QWidget* parent, const QUrl& url);
    // Picks one of the frames of an ILDA file: its index in the list, or -1
    // when the user cancels.
    virtual int chooseIldaFrame(QWidget* parent, const QList<lp::IldaFrameInfo>& frames);
};

// The seam in use; the default one shows the real dialogs.
DialogSeam& dialogs();
// Replaces the seam (nullptr restores the default); returns the previous one.
DialogSeam* setDialogs(DialogSeam* seam);

// The commands' file questions and reports, through the seam in use.
// A failed file command: what failed, the path and the reason, in an error box.
void ShowFileFailure(QWidget* parent, const QString& what, const QString& path, const QString& reason);
// Before a file is written at the path: a target that may not be written (a
// folder, pipe, device or a loop of links) is reported as `what` failing and
// refused; something already there is written over only when the user agrees.
enum class SaveTarget { Refused, Declined, Accepted };
SaveTarget AskSaveTarget(QWidget* parent, const QString& path, const QString& what);

}  // namespace lp
