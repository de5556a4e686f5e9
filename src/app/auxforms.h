// The editor's common window font, shared by the main window and the
// auxiliary windows (each exists once for the whole run and is only ever shown
// modally from the main window).
#pragma once

#include <QDialog>

class QColor;
class QLabel;

// Sets the editor's common window font: 11 pixels, a plain sans serif.
void ApplyFormFont(QWidget* window);

// Sets the colour of a label's text.
void SetLabelColour(QLabel* label, const QColor& colour);
