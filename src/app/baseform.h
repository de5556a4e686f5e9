// The main editor window. It shows the editor (edit/editor.h), which it owns
// for the whole run: its handlers turn the controls into the editor's commands
// and redraw; the controls follow the editor's modes and flag. The handlers'
// logic lives in app/mainwindow, a class per concern that the window owns; the
// window keeps the handlers' names and passes each call on.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "edit/editor.h"
#include "view/renderer.h"
#include "widgets/dialogs.h"

namespace Ui {
class TBaseForm;
}
class QSessionManager;
class QTimer;
class TAboutForm;
class TTxComForm;
class TProgForm;
class TTraceForm;
namespace lp {
class RecoveryKeeper;
struct RecoveryContent;
class WindowPart;
class FileCommands;
class IldaCommands;
class ListCommands;
class MouseEditing;
class PictureCommands;
class RecoveryCommands;
class ShapeCommands;
class TraceCommands;
}  // namespace lp

class TBaseForm : public QWidget {
    Q_OBJECT
  public:
    explicit TBaseForm(QWidget* parent = nullptr);
    ~TBaseForm() override;

    void setAuxiliaryForms(TAboutForm* about, TTxComForm* txCom, TProgForm* prog);

    // The picture being edited.
    lp::Editor& editor() { return editor_; }
    const lp::Editor& editor() const { return editor_; }
    lp::JitterRng jitter;

    lp::FileDialogState OpenDialogPic;
    lp::FileDialogState SaveDialogPic;
    QTimer* TimerAvtoSave;
    QTimer* TimerPointOff;

    // Retained images behind the editing field: the grid layer beneath the
    // background picture; the field and the preview live in their paint boxes.
    QImage fieldUnder;

    // Window events and the shell's own handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormPaint();
    void FormResize();
    bool FormClose();  // false while the window must stay open
    void SpeedButtonAboutClick();
    void SpeedButtonLinkClick();
    void SpeedButtonUstProgramClick();
    void SpeedButtonWebClick();
    void SpeedButtonToolsClick();
    void ColorBoxShapeViewChange();

    // Figure model and undo.
    void ClearPicture();
    void ToUndo();
    void FromUndo();
    void SpeedButtonUndoClick();
    bool UndoEnabled() const;

    // Picture files.
    void SpeedButtonOpenPicClick();
    // Steps after the open dialog, for the name OpenDialogPic holds; true when opened.
    bool OpenChosenPicture();
    void SpeedButtonSavePicClick();
    bool SAveToFile();
    void ToNameTx(const QString& path);
    void TimerAvtoSaveTimer();

    // The recovery copy (off until enabled): kept in `folder` while the figure
    // differs from the one last opened or saved.
    void EnableRecovery(const QString& folder);
    lp::RecoveryKeeper* recovery() const;
    lp::RecoveryContent recoveryContent() const;
    void MarkSaved(const QString& path);  // the figure as it stands is the file's at path
    // Offers the copies left by editors that no longer run; true when one was restored.
    bool OfferRecovery();
    void RestoreCopy(const lp::RecoveryContent& content);
    // The logout asks as the close does, and is cancelled when the user keeps the editor.
    void CommitSessionData(QSessionManager& manager);

    // Drawing.
    void FullReturn(int clear);
    lp::RenderOptions renderOptions() const;

    // Mouse editing on the field.
    void PaintBoxDrawMouseDown(Qt::MouseButton button, int x, int y);
    void PaintBoxDrawMouseMove(int x, int y);
    void PaintBoxDrawMouseUp(Qt::MouseButton button, int x, int y);
    void PaintBoxDrawDblClick();
    void SearchPoint(uint8_t fx, uint8_t fy);
    void SdvigXY(int fx, int fy);
    void TimerPointOffTimer();

    // Keyboard edits: arrow moves (a run of them undone in one step) and the
    // Page Up / Page Down walk.
    void MoveByKey(int dx, int dy);
    void StepByKey(int step);
    void ShowKeyPoint(int c);

    // Point list commands and their options.
    void SpeedButtonInsertPointClick();
    void SpeedButtonDeletePointClick();
    void SpeedButtonRotatePointsMouseDown(Qt::MouseButton button, int x, int y);
    void SpeedButtonNormalPointsClick();
    void SpeedButtonNormalizClick();
    void ScrollBarPixelChange();
    void ScrollBarInterChange();

    // Templates.
    void SpeedButtonOffMadeClick();
    void SpeedButtonFiguraClick();
    void SpeedButtonCucleClick();
    void SpeedButtonLinesClick();
    void SpeedButtonLinesVertClick();
    void SpeedButtonPointsClick();
    void SpeedButtonStarsClick();
    void SpeedButtonTreugClick();
    void ScrollBarGorzFiguraChange();
    void ScrollBarVertFiguraChange();
    void ScrollBarOptionChange();
    void ScrollBarModeChange();
    void ScrollBarSizeInChange();
    void FigureGreate();
    void MadeHalf();
    void SpeedButton128Click();
    void SpeedButtonmirrVertClick();
    void SpeedButtonMirrGorClick();

    // Background tracing picture.
    lp::FileDialogState OpenPictureDialog;
    void SpeedButtonLoadPictureClick();
    void SpeedButtonPicVisibleClick();
    void ScrollBarRazmXChange();
    void ScrollBarRazmYChange();
    void CheckBoxTogezClick();

    // ILDA interchange.
    lp::FileDialogState OpenDialogIlda;
    lp::FileDialogState SaveDialogIlda;
    void SpeedButtonImportIldaClick();
    void SpeedButtonExportIldaClick();

    // Outline tracing: the trace window; while it is open the field and the
    // preview show its contour in place of the figure.
    void SpeedButtonTraceClick();
    void TraceResultChange();
    void TraceOpenPicture();
    void TraceShowPicture();
    void TraceFinished(int result);
    TTraceForm* traceForm() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    friend class lp::WindowPart;     // the controls and the editor, to every concern
    friend class lp::TraceCommands;  // the screen it keeps and puts back
    std::unique_ptr<Ui::TBaseForm> ui;
    lp::Editor editor_;
    QString EditorTitle;

    void showEditor();  // the controls that follow the editor
    void connectShellHandlers();
    void connectKeyboard();
    void setIcons();

    TAboutForm* aboutForm_ = nullptr;
    TTxComForm* txComForm_ = nullptr;
    TProgForm* progForm_ = nullptr;
    int paintDepth_ = 0;  // inside a paint event: the paint boxes are painted anyway
    bool gridLayerShown_ = false;

    std::shared_ptr<const lp::FigureData> shownInstead_;  // drawn in place of the figure

    // The handlers' logic, a part per concern.
    // Made and dropped in windowparts.cpp, so that the window itself needs
    // none of their headers (they all need the window's).
    struct PartDeleter {
        template <class Part>
        void operator()(Part* part) const;
    };
    void makeParts();
    std::unique_ptr<lp::RecoveryCommands, PartDeleter> recoveryCommands_;
    std::unique_ptr<lp::FileCommands, PartDeleter> files_;
    std::unique_ptr<lp::MouseEditing, PartDeleter> mouse_;
    std::unique_ptr<lp::ListCommands, PartDeleter> list_;
    std::unique_ptr<lp::ShapeCommands, PartDeleter> shapes_;
    std::unique_ptr<lp::PictureCommands, PartDeleter> picture_;
    std::unique_ptr<lp::IldaCommands, PartDeleter> ilda_;
    std::unique_ptr<lp::TraceCommands, PartDeleter> trace_;
};
