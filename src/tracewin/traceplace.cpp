#include "tracewin/traceplace.h"

#include <QScreen>
#include <algorithm>
#include <array>

#include "ui_traceform.h"

namespace {

// The preview's side at the most when the window is first sized; where the
// preview begins, right of the options; the margins; the buttons' height;
// the room under the preview for the part's name; the status's least height.
constexpr int kMostPreview = 640;
constexpr int kPreviewLeft = 384, kMargin = 8, kButton = 26, kBelowPreview = 30, kLeastStatus = 90;

}  // namespace

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

namespace {

int LegendHeight(const Ui::TTraceForm& ui) {
    return ui.LabelLegend->heightForWidth(ui.LabelLegend->width());
}

}  // namespace

namespace lp {

// The options and the status on the left, the legend below them; the
// preview takes what the window grows by.
QSize TraceFormSize(const Ui::TTraceForm& ui, int preview) {
    return {kPreviewLeft + preview + kMargin,
            std::max(ui.LabelStatus->y() + kLeastStatus + LegendHeight(ui) + kMargin,
                     kMargin + preview + kBelowPreview + kButton + kMargin)};
}

QRect TraceFormSpot(const QWidget& window, const Ui::TTraceForm& ui, const QRect& field, const QRect& preview,
                    bool placed) {
    const QScreen* screen = window.parentWidget() ? window.parentWidget()->screen() : window.screen();
    if (!screen) return {};
    const QRect room = screen->availableGeometry();
    // The frame's margins, or a guess at them before the window was first shown.
    const QRect outer = window.frameGeometry(), inner = window.geometry();
    const QMargins frame = window.isVisible() || placed
                               ? QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                          outer.right() - inner.right(), outer.bottom() - inner.bottom())
                               : QMargins(4, 30, 4, 4);
    // First the preview as large as leaves room for the main window's tool bar
    // and preview above or beside the window; later the size the user left it.
    constexpr int kMainRow = 420;
    const int current = ui.BeamView->width();
    const int wanted = placed ? current
                              : std::clamp(std::min(room.height(), room.width()) - kMainRow,
                                           kLeastTracePreview, kMostPreview);
    const QRect spot = PlaceTraceWindow(
        room, field, preview, wanted, placed ? current : kLeastTracePreview,
        [&](int side) { return (placed ? window.size() : TraceFormSize(ui, side)).grownBy(frame); });
    return {spot.topLeft(), spot.size().shrunkBy(frame)};
}

void LayOutTraceForm(Ui::TTraceForm& ui, QSize size) {
    const int right = size.width() - kMargin, bottom = size.height() - kMargin, w = right - kPreviewLeft;
    const int buttons = bottom - kButton, legend = LegendHeight(ui);
    const int side = std::max(64, std::min(w, buttons - kBelowPreview - kMargin));
    ui.BeamView->setGeometry(kPreviewLeft, kMargin, side, side);
    ui.LabelPart->setGeometry(kPreviewLeft, kMargin + side + 4, w, 18);
    ui.ButtonCancel->move(right - ui.ButtonCancel->width(), buttons);
    ui.ButtonApply->move(ui.ButtonCancel->x() - kMargin - ui.ButtonApply->width(), buttons);
    ui.CheckBoxShowPicture->move(kPreviewLeft, buttons + 3);
    ui.LabelLegend->move(ui.LabelLegend->x(), bottom - legend);
    ui.LabelLegend->resize(ui.LabelLegend->width(), legend);
    ui.LabelStatus->resize(ui.LabelStatus->width(), bottom - legend - kMargin - ui.LabelStatus->y());
}

}  // namespace lp
