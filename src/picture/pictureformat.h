// The formats a background picture may have: those pictures to trace from
// come in. Each is told by its content alone, so a file in another format
// (animations, icon sets of other systems, formats without a signature) never
// reaches a decoder, whatever its name.
#pragma once

#include <QByteArray>
#include <QString>

namespace lp {

// The image reader's name of the format `bytes` are in ("png", "jpeg",
// "svgz", ...); empty when it is none of the formats taken. "svg" only says
// that the bytes start as XML does: the SVG check parses the rest.
QByteArray PictureFormatOf(const QByteArray& bytes);

}  // namespace lp
