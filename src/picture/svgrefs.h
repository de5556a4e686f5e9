// What an SVG document refers to. The SVG library, given no file of its own,
// loads nothing from outside (svgrender.h) and would draw such a drawing with
// parts missing; so only data carried inside the document is taken, and
// anything else is named to the user.
#pragma once

#include <QByteArray>
#include <QString>

namespace lp {

struct SvgCheck {
    enum Verdict {
        Inside,   // every reference is to data in the document or to one of its elements
        Foreign,  // something else is referred to: `detail` says what
        NotSvg,   // another kind of XML, or none
        Broken,   // not a well-formed SVG document: `detail` says why
        Cut,      // a document that ends before its last element is closed
    } verdict = Inside;
    QString detail;
};

// Parses the whole document and every reference in it: href (any prefix),
// src, url(...) in any attribute, in style attributes and in <style> sheets,
// and @import. Allowed are data: URLs (found as the URL rules find them, the
// scheme in lower case), whose pictures, where one is carried, must be
// in a raster format taken, and "#id": of an element the document holds, or
// of none (drawing nothing) except from an image, which draws pictures
// only. A link's href is no reference: nothing follows it.
// External entities and style sheet instructions refuse the document too.
SvgCheck CheckSvgReferences(const QByteArray& svg);

}  // namespace lp
