#include "trace/maskparts.h"

#include <algorithm>
#include <climits>

namespace lp {

namespace {

constexpr int kGround = -1;

// Labels the 8-connected (ink) or 4-connected (ground) region of `start`
// with `value`; calls `each` for every pixel of it.
template <typename Each>
void Flood(const InkMask& mask, std::vector<int>& label, std::vector<int>& stack, int start, int value,
           bool ink, Each each) {
    const int w = mask.width, h = mask.height;
    stack.assign(1, start);
    label[size_t(start)] = value;
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        const int x = i % w, y = i / w;
        each(x, y);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if ((dx == 0 && dy == 0) || (!ink && dx != 0 && dy != 0)) continue;
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const int j = ny * w + nx;
                if (label[size_t(j)] != INT_MIN || (mask.ink[size_t(j)] != 0) != ink) continue;
                label[size_t(j)] = value;
                stack.push_back(j);
            }
    }
}

}  // namespace

MaskPieces::MaskPieces(const InkMask& mask) : mask_(mask), label_(mask.ink.size(), INT_MIN) {
    const int w = mask.width, h = mask.height;
    std::vector<int> stack, region;
    for (int i = 0; i < int(mask.ink.size()); ++i) {
        if (label_[size_t(i)] != INT_MIN) continue;
        const int x0 = i % w, y0 = i / w;
        if (mask.ink[size_t(i)]) {
            MaskPiece piece;
            if (x0 > 0 && label_[size_t(i - 1)] <= -2) piece.inHole = -2 - label_[size_t(i - 1)];
            piece.first = i;
            int left = x0, right = x0, bottom = y0;
            Flood(mask, label_, stack, i, int(pieces.size()), true, [&](int x, int y) {
                ++piece.ink;
                piece.frame += x == 0 || y == 0 || x == w - 1 || y == h - 1;
                left = std::min(left, x), right = std::max(right, x), bottom = std::max(bottom, y);
                const uint8_t* row = mask.ink.data() + size_t(y) * size_t(w);
                piece.edges += (x == 0 || !row[x - 1]) + (x == w - 1 || !row[x + 1]) + (y == 0 || !row[x - w]) +
                               (y == h - 1 || !row[x + w]);
            });
            piece.bounds = QRect(QPoint(left, y0), QPoint(right, bottom));
            pieces.push_back(piece);
        } else {
            // Open ground touches the frame; a hole's first pixel has its piece on the left.
            bool open = false;
            int64_t edges = 0;
            region.clear();
            Flood(mask, label_, stack, i, -2 - int(holes.size()), false, [&](int x, int y) {
                region.push_back(y * w + x);
                open = open || x == 0 || y == 0 || x == w - 1 || y == h - 1;
                if (open) return;
                const uint8_t* row = mask.ink.data() + size_t(y) * size_t(w);
                edges += row[x - 1] + row[x + 1] + row[x - w] + row[x + w];
            });
            if (open) {
                for (const int j : region) label_[size_t(j)] = kGround;
                continue;
            }
            const int piece = label_[size_t(i - 1)];
            const int64_t size = int64_t(region.size());
            holes.push_back({piece, size, edges, i, false});
            pieces[size_t(piece)].holes += size;
        }
    }
}

void MaskPieces::dropGround(double share) {
    const double ring = 2.0 * (mask_.width + mask_.height) - 4;
    for (MaskPiece& piece : pieces)
        if (double(piece.frame) >= share * ring) piece.kept = false;
}

void MaskPieces::clean(double minPiece, double minHole, double share) {
    for (MaskPiece& piece : pieces)
        if (double(piece.filled()) < minPiece) piece.kept = false;
    for (MaskHole& hole : holes) {
        MaskPiece& around = pieces[size_t(hole.piece)];
        if (hole.filled || double(hole.size) >= minHole || double(hole.size) >= share * double(around.filled()))
            continue;
        hole.filled = true;  // its sides are no longer the piece's
        around.edges -= hole.edges;
        around.ink += hole.size;
        around.holes -= hole.size;
    }
}

QRect MaskPieces::keptBounds() const {
    QRect bounds;
    for (const MaskPiece& piece : pieces)
        if (piece.kept) bounds |= piece.bounds;
    return bounds;
}

InkMask MaskPieces::maskOf(bool thin) const {
    InkMask out;
    out.width = mask_.width;
    out.height = mask_.height;
    out.toSource = mask_.toSource;
    out.inkUsed = mask_.inkUsed;
    out.photo = mask_.photo;
    out.threshold = mask_.threshold;
    out.ink.assign(mask_.ink.size(), 0);
    std::vector<uint8_t> pieceOn(pieces.size()), holeOn(holes.size());
    // A hole filled takes what lies in it, its holes included. Each depends
    // only on what comes before it in row order: a hole on its piece, a
    // piece on the hole it lies in.
    std::vector<uint8_t> full(holes.size(), 0);
    for (size_t p = 0, k = 0; p < pieces.size() || k < holes.size();) {
        if (k < holes.size() && (p == pieces.size() || holes[k].first < pieces[p].first)) {
            const MaskHole& hole = holes[k];
            const MaskPiece& around = pieces[size_t(hole.piece)];
            const bool swallowed = around.inHole >= 0 && full[size_t(around.inHole)];
            full[k] = pieceOn[size_t(hole.piece)] && (hole.filled || swallowed);
            holeOn[k] = full[k];
            ++k;
        } else {
            const MaskPiece& piece = pieces[p];
            pieceOn[p] = (piece.inHole >= 0 && full[size_t(piece.inHole)]) || (piece.kept && piece.thin == thin);
            ++p;
        }
    }
    for (size_t i = 0; i < label_.size(); ++i) {
        const int l = label_[i];
        const uint8_t on = l >= 0 ? pieceOn[size_t(l)] : l == kGround ? 0 : holeOn[size_t(-2 - l)];
        out.ink[i] = on;
        out.inkPixels += on;
    }
    return out;
}

}  // namespace lp
