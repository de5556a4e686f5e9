// Start-up of the editor: the four windows in their order, a
// picture named on the command line, and a clear end without a display.
#pragma once

#include <QString>
#include <memory>

class TBaseForm;
class TAboutForm;
class TTxComForm;
class TProgForm;

namespace lp {

struct EditorWindows {
    std::unique_ptr<TBaseForm> base;
    std::unique_ptr<TAboutForm> about;
    std::unique_ptr<TTxComForm> txCom;
    std::unique_ptr<TProgForm> prog;
    EditorWindows();
    ~EditorWindows();
    EditorWindows(EditorWindows&&) noexcept;
};

// The application's icon for its windows, and the desktop entry that the
// desktop matches them with.
void SetDesktopIdentity();

// Creates the main window (running its FormCreate), then, hidden, the About,
// upload and ready-picture windows.
EditorWindows CreateEditorWindows();

// Opens the picture as the open command does once its dialog has chosen the
// path: the same checks, error boxes, caption and name.
void OpenPictureAtStartUp(TBaseForm& form, const QString& path);

// Once the window shows: first the copies of unsaved pictures that editors
// no longer running left behind, then the picture named on the command line
// (empty: none), unless a copy was restored, which it would replace.
void StartWithPicture(TBaseForm& form, const QString& path);

// While it lives, Qt's failure to reach a display (which would abort the
// program) ends it instead with one line on standard error and status 1;
// the messages Qt gives meanwhile are held back and passed on at release().
class DisplayGuard {
  public:
    DisplayGuard();
    ~DisplayGuard();
    void release();

    // The line for a failure, from what Qt said while trying.
    static QString FailureLine(const QStringList& messages);

  private:
    bool active_ = false;
};

}  // namespace lp
