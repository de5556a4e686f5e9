#include "picture/svgrender.h"

// GLib names a field as Qt names a keyword.
#pragma push_macro("signals")
#undef signals
#include <librsvg/rsvg.h>
#pragma pop_macro("signals")

#include <cmath>
#include <memory>

namespace lp {

namespace {

// Sides beyond this are taken for no size at all.
constexpr double kLargestSide = 1'000'000;

struct Unref {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    void operator()(cairo_t* cairo) const { cairo_destroy(cairo); }
    void operator()(GError* error) const { g_error_free(error); }
};
template <typename T>
using Owned = std::unique_ptr<T, Unref>;

QSize Side(double width, double height) {
    auto valid = [](double side) { return std::isfinite(side) && side >= 0.5 && side <= kLargestSide; };
    return valid(width) && valid(height) ? QSize(int(std::lround(width)), int(std::lround(height))) : QSize();
}

// Its width and height in pixels, or where they are relative, its view box's.
QSize Declared(RsvgHandle* handle) {
    double width = 0, height = 0;
    if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height)) return Side(width, height);
    gboolean hasWidth = false, hasHeight = false, hasViewBox = false;
    RsvgLength lengthW{}, lengthH{};
    RsvgRectangle viewBox{};
    rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &lengthW, &hasHeight, &lengthH, &hasViewBox,
                                         &viewBox);
    return hasViewBox ? Side(viewBox.width, viewBox.height) : QSize();
}

SvgPicture Failed(GError* error) {
    const Owned<GError> owned(error);
    return {QImage(), QSize(), QString::fromUtf8(error ? error->message : "")};
}

}  // namespace

SvgPicture RenderSvg(const QByteArray& svg, const QSize& box) {
    GError* error = nullptr;
    const Owned<RsvgHandle> handle(rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.constData()),
                                                             gsize(svg.size()), &error));
    if (!handle) return Failed(error);
    const QSize declared = Declared(handle.get());
    const QSize size =
        (declared.isEmpty() ? box : declared.scaled(box, Qt::KeepAspectRatio)).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {QImage(), QSize(), QStringLiteral("out of memory")};
    image.fill(Qt::transparent);
    // Cairo's ARGB32 is the same premultiplied word per pixel.
    const Owned<cairo_surface_t> surface(cairo_image_surface_create_for_data(
        image.bits(), CAIRO_FORMAT_ARGB32, size.width(), size.height(), int(image.bytesPerLine())));
    const Owned<cairo_t> cairo(cairo_create(surface.get()));
    const RsvgRectangle viewport{0, 0, double(size.width()), double(size.height())};
    if (!rsvg_handle_render_document(handle.get(), cairo.get(), &viewport, &error)) return Failed(error);
    cairo_surface_flush(surface.get());
    return {image, declared, {}};
}

}  // namespace lp
