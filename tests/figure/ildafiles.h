// Writes ILDA sections for tests, independently of the editor's own writer.
#pragma once

#include <QByteArray>
#include <vector>

#include "figure/ilda.h"

namespace ildatest {

inline void Put16(QByteArray& out, int v) {
    out.append(char((v >> 8) & 0xFF));
    out.append(char(v & 0xFF));
}

inline QByteArray Header(int format, const QByteArray& name, int records, int number = 0, int total = 1) {
    QByteArray h("ILDA");
    h.append(3, '\0');
    h.append(char(format));
    h.append(name.leftJustified(8, '\0', true));
    h.append(QByteArray("tests").leftJustified(8, ' ', true));
    Put16(h, records);
    Put16(h, number);
    Put16(h, total);
    h.append(2, '\0');
    return h;
}

// A frame section of any image format; the last point carries 0x80.
inline QByteArray Frame(int format, const QByteArray& name, const std::vector<lp::IldaPoint>& points,
                        int number = 0) {
    QByteArray out = Header(format, name, int(points.size()), number);
    for (size_t i = 0; i < points.size(); ++i) {
        Put16(out, points[i].x);
        Put16(out, points[i].y);
        if (format == 0 || format == 4) Put16(out, -1234);  // Z, ignored
        const int status = (i + 1 == points.size() ? 0x80 : 0) | (points[i].blanked ? 0x40 : 0);
        out.append(char(status));
        if (format == 0 || format == 1)
            out.append(char(i % 64));  // palette index
        else
            out.append("\x10\x20\x30", 3);
    }
    return out;
}

// A colour section of 3-byte records (palette, format 2, or colour table, format 3).
inline QByteArray Colours(int format, int records) {
    QByteArray out = Header(format, "colours", records);
    for (int i = 0; i < records; ++i) out.append("\xFF\x80\x00", 3);
    return out;
}

inline QByteArray End() {
    return Header(5, "", 0);
}

}  // namespace ildatest
