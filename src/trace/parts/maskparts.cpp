#include "trace/parts/maskparts.h"

#include <algorithm>

#include "trace/unionfind.h"

namespace lp {

// Runs of ink and of ground row by row, joined where they touch: ink
// 8-connected, ground 4-connected. A region's first run in row order is its
// root; pieces and holes are numbered in that order.
MaskPieces::MaskPieces(const InkMask& mask) : mask_(mask) {
    const int w = mask.width, h = mask.height;
    rowStart_.assign(size_t(h) + 1, 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = mask.ink.data() + size_t(y) * size_t(w);
        for (int x = 0; x < w;) {
            const uint8_t on = row[x];
            int end = x + 1;
            while (end < w && row[end] == on) ++end;
            runs_.push_back({x, end, y, on != 0, -1});
            x = end;
        }
        rowStart_[size_t(y) + 1] = runs_.size();
    }
    UnionFind regions(runs_.size());
    for (int y = 1; y < h; ++y) {
        size_t j = rowStart_[size_t(y) - 1];
        for (size_t i = rowStart_[size_t(y)]; i < rowStart_[size_t(y) + 1]; ++i) {
            const MaskRun& run = runs_[i];
            const int reach = run.ink ? 1 : 0;  // ink touches diagonally
            while (j < rowStart_[size_t(y)] && runs_[j].end + reach <= run.begin) ++j;
            for (size_t k = j; k < rowStart_[size_t(y)] && runs_[k].begin < run.end + reach; ++k)
                if (runs_[k].ink == run.ink) regions.join(int(i), int(k));
        }
    }
    // Regions in row order of their first runs.
    std::vector<int> region(runs_.size(), -1);
    std::vector<bool> open;
    for (size_t i = 0; i < runs_.size(); ++i) {
        const MaskRun& run = runs_[i];
        const int root = regions.find(int(i));
        if (root == int(i)) {
            if (run.ink) {
                MaskPiece piece;
                piece.first = run.y * w + run.begin;
                piece.bounds = QRect(run.begin, run.y, 1, 1);
                if (run.begin > 0 && region[i - 1] >= 0 && !runs_[i - 1].ink) piece.inHole = region[i - 1];
                region[i] = int(pieces.size());
                pieces.push_back(piece);
            } else {
                // The ink just left of a hole's first run is its piece.
                region[i] = int(holes.size());
                holes.push_back({run.begin > 0 ? region[i - 1] : -1, 0, 0, run.y * w + run.begin, false});
                open.push_back(false);
            }
        } else {
            region[i] = region[size_t(root)];
        }
    }
    for (int y = 0; y < h; ++y) {
        // The runs of the rows above and below that may overlap the run at hand.
        size_t above = y > 0 ? rowStart_[size_t(y) - 1] : 0, below = y + 1 < h ? rowStart_[size_t(y) + 1] : 0;
        for (size_t i = rowStart_[size_t(y)]; i < rowStart_[size_t(y) + 1]; ++i) {
            MaskRun& run = runs_[i];
            const size_t r = size_t(region[i]);
            const int length = run.end - run.begin;
            // Sides against the other kind above and below.
            int64_t vertical = 2 * int64_t(length);
            for (const int dy : {-1, 1}) {
                const int other = y + dy;
                if (other < 0 || other >= h) continue;
                size_t& k = dy < 0 ? above : below;
                const size_t end = rowStart_[size_t(other) + 1];
                while (k < end && runs_[k].end <= run.begin) ++k;
                for (size_t m = k; m < end && runs_[m].begin < run.end; ++m)
                    if (runs_[m].ink == run.ink)
                        vertical -= std::min(runs_[m].end, run.end) - std::max(runs_[m].begin, run.begin);
            }
            const bool frame = run.y == 0 || run.y == h - 1;
            if (run.ink) {
                MaskPiece& piece = pieces[r];
                piece.ink += length;
                piece.edges += vertical + 2;
                piece.frame += frame ? length : (run.begin == 0) + (run.end == w);
                piece.bounds |= QRect(run.begin, run.y, length, 1);
                run.region = int(r);
            } else {
                MaskHole& hole = holes[r];
                hole.size += length;
                // At the frame the picture's edge is no ink.
                hole.edges += vertical - (run.y == 0 ? length : 0) - (run.y == h - 1 ? length : 0) +
                              (run.begin > 0) + (run.end < w);
                if (frame || run.begin == 0 || run.end == w) open[r] = true;
                run.region = int(r);
            }
        }
    }
    // Open ground is no hole; holes keep their numbers in row order.
    std::vector<int> number(holes.size(), -1);
    std::vector<MaskHole> kept;
    for (size_t k = 0; k < holes.size(); ++k)
        if (!open[k]) number[k] = int(kept.size()), kept.push_back(holes[k]);
    holes = std::move(kept);
    for (MaskRun& run : runs_)
        if (!run.ink) run.region = number[size_t(run.region)];
    for (MaskPiece& piece : pieces)
        if (piece.inHole >= 0) piece.inHole = number[size_t(piece.inHole)];
    for (const MaskHole& hole : holes) pieces[size_t(hole.piece)].holes += hole.size;
}

std::vector<uint16_t> MaskPieces::Depths() const {
    const int w = mask_.width, h = mask_.height;
    std::vector<uint16_t> d(mask_.ink.size());
    constexpr uint16_t kFar = 60000;
    auto at = [&](int x, int y) -> uint16_t {
        return x < 0 || y < 0 || x >= w || y >= h ? 0 : d[size_t(y) * size_t(w) + size_t(x)];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            d[i] = !mask_.ink[i] ? 0
                                 : uint16_t(std::min<int>({kFar, at(x - 1, y) + 3, at(x, y - 1) + 3,
                                                           at(x - 1, y - 1) + 4, at(x + 1, y - 1) + 4}));
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (d[i])
                d[i] = uint16_t(std::min<int>(
                    {d[i], at(x + 1, y) + 3, at(x, y + 1) + 3, at(x + 1, y + 1) + 4, at(x - 1, y + 1) + 4}));
        }
    return d;
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
        if (hole.filled || double(hole.size) >= minHole ||
            double(hole.size) >= share * double(around.filled()))
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
            pieceOn[p] =
                (piece.inHole >= 0 && full[size_t(piece.inHole)]) || (piece.kept && piece.thin == thin);
            ++p;
        }
    }
    for (const MaskRun& run : runs_) {
        const uint8_t on = run.ink           ? pieceOn[size_t(run.region)]
                           : run.region >= 0 ? holeOn[size_t(run.region)]
                                             : 0;
        if (!on) continue;
        uint8_t* row = out.ink.data() + size_t(run.y) * size_t(out.width);
        std::fill(row + run.begin, row + run.end, uint8_t(1));
        out.inkPixels += run.end - run.begin;
    }
    return out;
}

}  // namespace lp
