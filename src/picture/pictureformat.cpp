#include "picture/pictureformat.h"

namespace lp {

namespace {

bool Starts(const QByteArray& bytes, const char* signature, qsizetype size) {
    return bytes.startsWith(QByteArrayView(signature, size));
}

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

QByteArray PictureFormatOf(const QByteArray& bytes) {
    if (Starts(bytes, "\x89PNG\r\n\x1a\n", 8)) return "png";
    if (Starts(bytes, "\xFF\xD8\xFF", 3)) return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) return "gif";
    if (bytes.startsWith("BM")) return "bmp";
    if (Starts(bytes, "II*\0", 4) || Starts(bytes, "MM\0*", 4) || Starts(bytes, "II+\0", 4) ||
        Starts(bytes, "MM\0+", 4))
        return "tiff";
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP") return "webp";
    // Icons and cursors: reserved zero, type 1 or 2, at least one image.
    if (bytes.size() >= 6 && Starts(bytes, "\0\0", 2) && (bytes[2] == 1 || bytes[2] == 2) && bytes[3] == 0 &&
        (bytes[4] || bytes[5]))
        return "ico";
    if (bytes.size() >= 3 && bytes[0] == 'P' && bytes[1] >= '1' && bytes[1] <= '6' && IsXmlSpace(bytes[2]))
        return "ppm";
    if (Starts(bytes, "\x1f\x8b", 2)) return "svgz";
    qsizetype i = Starts(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
    while (i < bytes.size() && IsXmlSpace(bytes[i])) ++i;
    if (i < bytes.size() && bytes[i] == '<') return "svg";
    return {};
}

}  // namespace lp
