#include "picture/pictureguards.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace lp {

bool Gunzip(const QByteArray& packed, qsizetype limit, QByteArray& out) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) return false;
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
    inflateEnd(&stream);
    return status == Z_STREAM_END;
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
    return true;  // the other decoders fail on data that ends early
}

}  // namespace lp
