// The parts of text: each letter's outlines from the font, lines centred.
#pragma once

#include <QString>

#include "trace/trace.h"

namespace lp {

// Lines separated by line breaks, each centred.
TraceParts FindTextParts(const QString& text, const QString& family, bool bold, int size);

}  // namespace lp
