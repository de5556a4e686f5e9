// SVG drawn as the system's SVG library draws it (clip paths, masks, CSS,
// text). Given no file of its own, the library loads nothing outside the
// document; what the document refers to is checked before (svgrefs.h).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace lp {

struct SvgPicture {
    QImage image;    // premultiplied ARGB; null on failure
    QSize declared;  // the size the document gives itself, empty when it gives none
    QString error;   // the library's reason, on failure
};

// Draws `svg` (unpacked) fitted in `box` with its proportions kept; a
// document of no size of its own fills the box.
SvgPicture RenderSvg(const QByteArray& svg, const QSize& box);

}  // namespace lp
