// What an SVG document refers to. The SVG reader opens whatever an image
// element names, pipes and devices included, and resolves names it does not
// understand against the working folder; so only data carried inside the
// document is taken.
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
// scheme in any letter case), whose pictures, where one is carried, must be
// in a raster format taken, and "#id": of an element the document holds, or
// of none (drawing nothing) except from an image, whose reference to no
// element the SVG reader takes for a file's name.
// External entities and style sheet instructions refuse the document too.
SvgCheck CheckSvgReferences(const QByteArray& svg);

}  // namespace lp
