// The main window's controls as its tests reach them: each is found here, and
// only here, by the name the form gives it, so the tests speak of what a
// control does rather than of the form's names.
#pragma once

#include <QCheckBox>
#include <QScrollBar>
#include <QWidget>

#include "widgets/autolabel.h"
#include "widgets/colorbox.h"
#include "widgets/etchedgroupbox.h"
#include "widgets/imagebox.h"
#include "widgets/paintbox.h"
#include "widgets/shapebox.h"
#include "widgets/speedbutton.h"

namespace win {

template <class T>
T* Find(const QWidget& form, const char* name) {
    T* control = form.findChild<T*>(QLatin1String(name));
    if (!control) qFatal("The main window has no control %s", name);
    return control;
}

using Button = lp::SpeedButton;

// One line a control.
// clang-format off
inline Button* aboutButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonAbout"); }
inline Button* cucleButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonCucle"); }
inline Button* deletePointButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonDeletePoint"); }
inline Button* directButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonDirect"); }
inline Button* exportIldaButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonExportIlda"); }
inline lp::PaintBox* field(const QWidget& f) { return Find<lp::PaintBox>(f, "PaintBoxDraw"); }
inline Button* figuraButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonFigura"); }
inline QScrollBar* gorzFiguraBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarGorzFigura"); }
inline Button* half128Button(const QWidget& f) { return Find<Button>(f, "SpeedButton128"); }
inline QCheckBox* hotColCheck(const QWidget& f) { return Find<QCheckBox>(f, "CheckBoxHotCol"); }
inline QCheckBox* hotPointCheck(const QWidget& f) { return Find<QCheckBox>(f, "CheckBoxHotPoint"); }
inline Button* importIldaButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonImportIlda"); }
inline lp::AutoLabel* insdelLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelInsdel"); }
inline Button* insertPointButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonInsertPoint"); }
inline QScrollBar* interBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarInter"); }
inline lp::AutoLabel* interLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelInter"); }
inline Button* linesButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonLines"); }
inline Button* linesVertButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonLinesVert"); }
inline Button* loadPictureButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonLoadPicture"); }
inline Button* mirrGorButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonMirrGor"); }
inline Button* mirrVertButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonmirrVert"); }
inline QScrollBar* modeBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarMode"); }
inline lp::AutoLabel* modeLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelMode"); }
inline Button* normalPointsButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonNormalPoints"); }
inline Button* normalizButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonNormaliz"); }
inline Button* offMadeButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonOffMade"); }
inline Button* openPicButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonOpenPic"); }
inline QScrollBar* optionBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarOption"); }
inline lp::AutoLabel* optionLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelOption"); }
inline Button* picVisibleButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonPicVisible"); }
inline lp::ImageBox* pictureBox(const QWidget& f) { return Find<lp::ImageBox>(f, "ImageDraw"); }
inline QScrollBar* pixelBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarPixel"); }
inline lp::AutoLabel* pixelLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelPixel"); }
inline lp::AutoLabel* pointLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelPoint"); }
inline Button* pointsButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonPoints"); }
inline lp::AutoLabel* posXLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelPosX"); }
inline lp::AutoLabel* posYLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelPosY"); }
inline lp::PaintBox* preview(const QWidget& f) { return Find<lp::PaintBox>(f, "PaintBoxView"); }
inline QScrollBar* razmXBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarRazmX"); }
inline QScrollBar* razmYBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarRazmY"); }
inline Button* rotatePointsButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonRotatePoints"); }
inline Button* savePicButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonSavePic"); }
inline lp::ColorBox* shapeColour(const QWidget& f) { return Find<lp::ColorBox>(f, "ColorBoxShapeView"); }
inline lp::ShapeBox* shapeView(const QWidget& f) { return Find<lp::ShapeBox>(f, "ShapeView"); }
inline QCheckBox* sizeTogezeCheck(const QWidget& f) { return Find<QCheckBox>(f, "CheckBoxSizeTogeze"); }
inline lp::AutoLabel* sizeXLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelSizeX"); }
inline lp::AutoLabel* sizeYLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelSizeY"); }
inline Button* starsButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonStars"); }
inline lp::AutoLabel* statusLabel(const QWidget& f) { return Find<lp::AutoLabel>(f, "LabelStatus"); }
inline QCheckBox* togezCheck(const QWidget& f) { return Find<QCheckBox>(f, "CheckBoxTogez"); }
inline Button* toolsButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonTools"); }
inline lp::EtchedGroupBox* toolsPanel(const QWidget& f) { return Find<lp::EtchedGroupBox>(f, "GroupBoxTools"); }
inline Button* traceButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonTrace"); }
inline Button* treugButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonTreug"); }
inline Button* undoButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonUndo"); }
inline Button* ustProgramButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonUstProgram"); }
inline QScrollBar* vertFiguraBar(const QWidget& f) { return Find<QScrollBar>(f, "ScrollBarVertFigura"); }
inline Button* webButton(const QWidget& f) { return Find<Button>(f, "SpeedButtonWeb"); }
// clang-format on

}  // namespace win
