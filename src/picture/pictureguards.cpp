#include "picture/pictureguards.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "picture/pictureformat.h"

namespace lp {

Unpacked Gunzip(const QByteArray& packed, qsizetype limit, QByteArray& out) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) return Unpacked::Damaged;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    out.clear();
    int status = Z_OK;
    while (status == Z_OK) {
        if (out.size() >= limit) break;
        const qsizetype done = out.size();
        const qsizetype chunk = std::min<qsizetype>(256 * 1024, limit - done);
        out.resize(done + chunk);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + done);
        stream.avail_out = static_cast<uInt>(chunk);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(done + chunk - stream.avail_out);
    }
    const bool dataEnded = stream.avail_in == 0;
    inflateEnd(&stream);
    if (status == Z_STREAM_END) return Unpacked::Whole;
    if (status == Z_OK) return Unpacked::TooLarge;  // stopped at the limit
    return status == Z_BUF_ERROR && dataEnded ? Unpacked::Cut : Unpacked::Damaged;
}

namespace {

// Skips GIF data sub-blocks; false when the data ends before their terminator.
bool SkipGifBlocks(const uchar* p, qsizetype n, qsizetype& i) {
    while (i < n) {
        const int size = p[i++];
        if (size == 0) return true;
        i += size;
    }
    return false;
}

// A JPEG is complete when its end marker follows the last scan.
bool JpegComplete(const uchar* p, qsizetype n) {
    qsizetype i = 2;
    while (i < n) {
        while (i < n && p[i] != 0xFF) ++i;  // stray bytes: the decoder skips them too
        while (i < n && p[i] == 0xFF) ++i;
        if (i >= n) return false;
        const uchar marker = p[i++];
        if (marker == 0xD9) return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
        if (i + 2 > n) return false;
        i += (p[i] << 8) | p[i + 1];
        if (marker != 0xDA) continue;
        // Entropy-coded data up to the next marker other than a restart.
        while (i + 1 < n && !(p[i] == 0xFF && p[i + 1] != 0x00 && (p[i + 1] < 0xD0 || p[i + 1] > 0xD7))) ++i;
    }
    return false;
}

// A GIF is complete enough when its first image's data is all there.
bool GifComplete(const uchar* p, qsizetype n) {
    if (n < 13) return false;
    qsizetype i = 13;
    if (p[10] & 0x80) i += 3 * (qsizetype(1) << ((p[10] & 7) + 1));
    while (i < n) {
        const uchar block = p[i++];
        if (block == 0x21) {  // extension: label, then data sub-blocks
            ++i;
            if (!SkipGifBlocks(p, n, i)) return false;
        } else if (block == 0x2C) {  // image: descriptor, colour table, code size, data
            if (i + 9 > n) return false;
            const uchar flags = p[i + 8];
            i += 9;
            if (flags & 0x80) i += 3 * (qsizetype(1) << ((flags & 7) + 1));
            ++i;
            return SkipGifBlocks(p, n, i);
        } else {
            return true;  // the trailer or something the decoder judges itself
        }
    }
    return false;
}

struct BmpLayout {
    qint64 offset = 0, width = 0, height = 0, bits = 0, compression = 0;
    bool known = false;
};

BmpLayout ReadBmpLayout(const uchar* p, qsizetype n) {
    BmpLayout bmp;
    if (n < 26 || p[0] != 'B' || p[1] != 'M') return bmp;
    auto u16 = [p](int at) { return qint64(p[at] | (p[at + 1] << 8)); };
    auto u32 = [p](int at) {
        return qint64(quint32(p[at] | (p[at + 1] << 8) | (p[at + 2] << 16)) | (quint32(p[at + 3]) << 24));
    };
    bmp.offset = u32(10);
    const qint64 header = u32(14);
    if (header == 12) {
        bmp.width = u16(18);
        bmp.height = u16(20);
        bmp.bits = u16(24);
    } else if (header >= 40 && n >= 34) {
        bmp.width = std::abs(qint64(qint32(u32(18))));
        bmp.height = std::abs(qint64(qint32(u32(22))));
        bmp.bits = u16(28);
        bmp.compression = u32(30);
    } else {
        return bmp;
    }
    bmp.known = true;
    return bmp;
}

// An uncompressed BMP holds all its rows.
bool BmpComplete(const uchar* p, qsizetype n) {
    const BmpLayout bmp = ReadBmpLayout(p, n);
    if (!bmp.known) return n >= 26;
    if (bmp.compression != 0 && bmp.compression != 3 && bmp.compression != 6) return true;  // packed rows
    const qint64 width = std::min<qint64>(bmp.width, 1 << 24), height = std::min<qint64>(bmp.height, 1 << 24);
    return n >= bmp.offset + (width * bmp.bits + 31) / 32 * 4 * height;
}

quint32 Big32(const uchar* p) {
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

quint32 Little32(const uchar* p) {
    return quint32(p[3]) << 24 | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
}

// A PNG is complete when its chunks reach the end chunk.
bool PngComplete(const uchar* p, qsizetype n) {
    for (qsizetype i = 8; i + 12 <= n;) {
        const qint64 end = i + 12 + qint64(Big32(p + i));
        if (end > n) return false;
        if (memcmp(p + i + 4, "IEND", 4) == 0) return true;
        i = end;
    }
    return false;
}

// An icon file holds every image its directory lists.
bool IcoComplete(const uchar* p, qsizetype n) {
    const qsizetype count = p[4] | p[5] << 8;
    if (6 + 16 * count > n) return false;
    for (qsizetype i = 6; i < 6 + 16 * count; i += 16)
        if (qint64(Little32(p + i + 12)) + Little32(p + i + 8) > n) return false;
    return true;
}

// A portable bitmap holds the samples its header counts: bytes for the
// binary kinds, numbers for the plain ones.
bool PpmComplete(const uchar* p, qsizetype n) {
    const int kind = p[1] - '0';
    qint64 header[3] = {0, 0, 1};  // width, height, largest sample
    qsizetype i = 2;
    auto space = [&] {  // blanks and comments
        for (bool comment = false; i < n && (comment || isspace(p[i]) || p[i] == '#'); ++i)
            comment = p[i] == '#' || (comment && p[i] != '\n');
    };
    for (int k = 0; k < (kind == 1 || kind == 4 ? 2 : 3); ++k) {
        space();
        if (i >= n || !isdigit(p[i])) return true;  // the decoder judges a broken header itself
        for (header[k] = 0; i < n && isdigit(p[i]) && header[k] < (1 << 24); ++i)
            header[k] = header[k] * 10 + (p[i] - '0');
    }
    const qint64 samples = header[0] * header[1] * (kind == 3 || kind == 6 ? 3 : 1);
    if (kind >= 4)
        return n - i - 1 >=
               (kind == 4 ? (header[0] + 7) / 8 * header[1] : samples * (header[2] > 255 ? 2 : 1));
    qint64 numbers = 0;
    for (space(); numbers < samples && i < n && isdigit(p[i]); space(), ++numbers)
        if (kind == 1)
            ++i;  // plain bits need no space between them
        else
            while (i < n && isdigit(p[i])) ++i;
    return numbers >= samples || i < n;  // or stopped by something the decoder judges
}

// A TIFF holds its first image's entries and the strips or tiles they place.
bool TiffComplete(const uchar* p, qsizetype n) {
    const bool little = p[0] == 'I';
    auto u16 = [&](qint64 at) { return little ? p[at] | p[at + 1] << 8 : p[at] << 8 | p[at + 1]; };
    auto u32 = [&](qint64 at) { return little ? Little32(p + at) : Big32(p + at); };
    if (u16(2) != 42 || n < 8) return true;  // a big TIFF: the decoder judges it itself
    const qint64 ifd = u32(4);
    if (ifd + 2 > n || ifd + 2 + 12 * qint64(u16(ifd)) > n) return false;
    // Values in the entry when they fit, else where it says; the offsets
    // and the byte counts of the strips or tiles are SHORT or LONG.
    constexpr int kTypeSize[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    struct {
        qint64 at = 0, count = 0;
        int size = 4;
    } values[2];
    auto value = [&](int which, qint64 k) -> qint64 {
        const auto& v = values[which];
        return v.size == 2 ? u16(v.at + 2 * k) : u32(v.at + 4 * k);
    };
    for (qint64 e = ifd + 2; e < ifd + 2 + 12 * qint64(u16(ifd)); e += 12) {
        const int tag = u16(e), type = u16(e + 2), size = type < 13 ? kTypeSize[type] : 0;
        const qint64 count = u32(e + 4), at = count * size > 4 ? u32(e + 8) : e + 8;
        if (at + count * size > n) return false;
        const int which = tag == 273 || tag == 324 ? 0 : tag == 279 || tag == 325 ? 1 : -1;
        if (which >= 0 && (type == 3 || type == 4)) values[which] = {at, count, size};
    }
    for (qint64 k = 0; k < std::min(values[0].count, values[1].count); ++k)
        if (value(0, k) + value(1, k) > n) return false;
    return true;
}

}  // namespace

QSize BmpHeaderSize(const QByteArray& bytes) {
    const BmpLayout bmp = ReadBmpLayout(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
    if (!bmp.known) return {};
    return QSize(int(std::min<qint64>(bmp.width, INT_MAX)), int(std::min<qint64>(bmp.height, INT_MAX)));
}

bool Complete(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) return JpegComplete(p, n);
    if (bytes.startsWith("GIF8")) return GifComplete(p, n);
    if (bytes.startsWith("BM")) return BmpComplete(p, n);
    const QByteArray format = PictureFormatOf(bytes);
    if (format == "png") return PngComplete(p, n);
    if (format == "webp") return n >= 8 + qint64(Little32(p + 4));
    if (format == "ico") return IcoComplete(p, n);
    if (format == "ppm") return PpmComplete(p, n);
    if (format == "tiff") return TiffComplete(p, n);
    return true;
}

}  // namespace lp
