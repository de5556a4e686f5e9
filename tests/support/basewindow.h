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

inline lp::SpeedButton* aboutButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonAbout");
}
inline lp::SpeedButton* cucleButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonCucle");
}
inline lp::SpeedButton* deletePointButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonDeletePoint");
}
inline lp::SpeedButton* directButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonDirect");
}
inline lp::SpeedButton* exportIldaButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonExportIlda");
}
inline lp::PaintBox* field(const QWidget& f) {
    return Find<lp::PaintBox>(f, "PaintBoxDraw");
}
inline lp::SpeedButton* figuraButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonFigura");
}
inline QScrollBar* gorzFiguraBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarGorzFigura");
}
inline lp::SpeedButton* half128Button(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButton128");
}
inline QCheckBox* hotColCheck(const QWidget& f) {
    return Find<QCheckBox>(f, "CheckBoxHotCol");
}
inline QCheckBox* hotPointCheck(const QWidget& f) {
    return Find<QCheckBox>(f, "CheckBoxHotPoint");
}
inline lp::SpeedButton* importIldaButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonImportIlda");
}
inline lp::AutoLabel* insdelLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelInsdel");
}
inline lp::SpeedButton* insertPointButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonInsertPoint");
}
inline QScrollBar* interBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarInter");
}
inline lp::AutoLabel* interLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelInter");
}
inline lp::SpeedButton* linesButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonLines");
}
inline lp::SpeedButton* linesVertButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonLinesVert");
}
inline lp::SpeedButton* loadPictureButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonLoadPicture");
}
inline lp::SpeedButton* mirrGorButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonMirrGor");
}
inline lp::SpeedButton* mirrVertButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonmirrVert");
}
inline QScrollBar* modeBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarMode");
}
inline lp::AutoLabel* modeLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelMode");
}
inline lp::SpeedButton* normalPointsButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonNormalPoints");
}
inline lp::SpeedButton* normalizButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonNormaliz");
}
inline lp::SpeedButton* offMadeButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonOffMade");
}
inline lp::SpeedButton* openPicButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonOpenPic");
}
inline QScrollBar* optionBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarOption");
}
inline lp::AutoLabel* optionLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelOption");
}
inline lp::SpeedButton* picVisibleButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonPicVisible");
}
inline lp::ImageBox* pictureBox(const QWidget& f) {
    return Find<lp::ImageBox>(f, "ImageDraw");
}
inline QScrollBar* pixelBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarPixel");
}
inline lp::AutoLabel* pixelLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelPixel");
}
inline lp::AutoLabel* pointLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelPoint");
}
inline lp::SpeedButton* pointsButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonPoints");
}
inline lp::AutoLabel* posXLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelPosX");
}
inline lp::AutoLabel* posYLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelPosY");
}
inline lp::PaintBox* preview(const QWidget& f) {
    return Find<lp::PaintBox>(f, "PaintBoxView");
}
inline QScrollBar* razmXBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarRazmX");
}
inline QScrollBar* razmYBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarRazmY");
}
inline lp::SpeedButton* rotatePointsButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonRotatePoints");
}
inline lp::SpeedButton* savePicButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonSavePic");
}
inline lp::ColorBox* shapeColour(const QWidget& f) {
    return Find<lp::ColorBox>(f, "ColorBoxShapeView");
}
inline lp::ShapeBox* shapeView(const QWidget& f) {
    return Find<lp::ShapeBox>(f, "ShapeView");
}
inline QCheckBox* sizeTogezeCheck(const QWidget& f) {
    return Find<QCheckBox>(f, "CheckBoxSizeTogeze");
}
inline lp::AutoLabel* sizeXLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelSizeX");
}
inline lp::AutoLabel* sizeYLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelSizeY");
}
inline lp::SpeedButton* starsButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonStars");
}
inline lp::AutoLabel* statusLabel(const QWidget& f) {
    return Find<lp::AutoLabel>(f, "LabelStatus");
}
inline QCheckBox* togezCheck(const QWidget& f) {
    return Find<QCheckBox>(f, "CheckBoxTogez");
}
inline lp::SpeedButton* toolsButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonTools");
}
inline lp::EtchedGroupBox* toolsPanel(const QWidget& f) {
    return Find<lp::EtchedGroupBox>(f, "GroupBoxTools");
}
inline lp::SpeedButton* traceButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonTrace");
}
inline lp::SpeedButton* treugButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonTreug");
}
inline lp::SpeedButton* undoButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonUndo");
}
inline lp::SpeedButton* ustProgramButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonUstProgram");
}
inline QScrollBar* vertFiguraBar(const QWidget& f) {
    return Find<QScrollBar>(f, "ScrollBarVertFigura");
}
inline lp::SpeedButton* webButton(const QWidget& f) {
    return Find<lp::SpeedButton>(f, "SpeedButtonWeb");
}

}  // namespace win
