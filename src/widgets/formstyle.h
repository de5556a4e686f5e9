// The look the windows share: the editor's common window font and the colour
// of a label's text.
#pragma once

class QColor;
class QLabel;
class QWidget;

namespace lp {

// Sets the editor's common window font: 11 pixels, a plain sans serif.
void ApplyFormFont(QWidget* window);

// Sets the colour of a label's text.
void SetLabelColour(QLabel* label, const QColor& colour);

}  // namespace lp
