#include "tracewin/traceplace.h"

#include <algorithm>
#include <array>

namespace lp {

QRect PlaceTraceWindow(const QRect& room, const QRect& field, const QRect& preview, int wanted, int least,
                       const std::function<QSize(int)>& sizeFor) {
    constexpr int kGap = 8, kStep = 16;
    const QRect both = field | preview;
    // Right of both, left of both, below the preview, above it; held within the room.
    auto spots = [&](QSize size) {
        auto held = [&](int x, int y) {
            x = std::max(room.left(), std::min(x, room.right() + 1 - size.width()));
            y = std::max(room.top(), std::min(y, room.bottom() + 1 - size.height()));
            return QRect(QPoint(x, y), size);
        };
        return std::array{held(both.right() + 1 + kGap, preview.top()),
                          held(both.left() - kGap - size.width(), preview.top()),
                          held(preview.left(), preview.bottom() + 1 + kGap),
                          held(preview.left(), preview.top() - kGap - size.height())};
    };
    wanted = std::max(wanted, least);
    for (const bool hideField : {false, true})
        for (int side = wanted; side >= least;
             side = side > least ? std::max(least, side - kStep) : least - 1)
            for (const QRect& spot : spots(sizeFor(side)))
                if (room.contains(spot) && !spot.intersects(preview) &&
                    (hideField || !spot.intersects(field)))
                    return spot;
    return spots(sizeFor(least))[0];
}

}  // namespace lp
