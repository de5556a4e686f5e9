// The editor's common window font, shared by the main window and the
// auxiliary windows (each exists once for the whole run and is only ever shown
// modally from the main window).
#pragma once

#include <QDialog>

// Sets the editor's common window font: 11 pixels, a plain sans serif.
void ApplyFormFont(QWidget* window);
