// Start-up of the editor: translations and the four windows in their order.
#pragma once

#include <memory>

class QApplication;
class TBaseForm;
class TAboutForm;
class TTxComForm;
class TProgForm;

struct EditorWindows {
    std::unique_ptr<TBaseForm> base;
    std::unique_ptr<TAboutForm> about;
    std::unique_ptr<TTxComForm> txCom;
    std::unique_ptr<TProgForm> prog;
    EditorWindows();
    ~EditorWindows();
    EditorWindows(EditorWindows&&) noexcept;
};

// Loads Qt's own Russian texts for the standard dialogs and buttons.
void InstallTranslations(QApplication& app);

// Creates the main window (running its FormCreate), then, hidden, the About,
// upload and ready-picture windows.
EditorWindows CreateEditorWindows();
