// The open-picture dialog's filters.
#pragma once

#include <QString>

namespace lp {

// Filters for the open-picture dialog: the formats taken (pictureformat.h)
// that the image reader has, first all of them together, then each alone,
// then all files.
QString PictureDialogFilter();

}  // namespace lp
