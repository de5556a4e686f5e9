#include "trace/ink/colouredges.h"

#include <algorithm>
#include <opencv2/imgproc.hpp>

#include "trace/tuning.h"

namespace lp {

namespace {

int Distance2(const uchar* a, const uchar* b) {
    const int d0 = a[0] - b[0], d1 = a[1] - b[1], d2 = a[2] - b[2];
    return d0 * d0 + d1 * d1 + d2 * d2;
}

}  // namespace

void ColourEdges(const cv::Mat& bgr, int cut, InkMask& mask) {
    const int w = mask.width, h = mask.height;
    if (w < 3 || h < 3 || bgr.cols != w || bgr.rows != h) return;
    const cv::Mat ink(h, w, CV_8U, mask.ink.data());
    // Edges: between ink and ground, and between colours of the ink two
    // pixels apart (an antialiased edge spreads over two), compared only
    // away from the ground: an antialiased outline's mixes are no colours.
    cv::Mat deep, edges = cv::Mat::zeros(h, w, CV_8U), inner = cv::Mat::zeros(h, w, CV_8U);
    cv::erode(ink, deep, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(5, 5)));
    const int limit =
        3 * std::min(cut, kTraceTuning.innerEdgeDistance) * std::min(cut, kTraceTuning.innerEdgeDistance);
    for (int y = 0; y < h; ++y) {
        const uchar* in = ink.ptr<uchar>(y);
        const uchar* colour = bgr.ptr<uchar>(y);
        uchar* e = edges.ptr<uchar>(y);
        uchar* i = inner.ptr<uchar>(y);
        for (int x = 0; x < w; ++x) {
            if (!in[x]) continue;
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1 || !in[x - 1] || !in[x + 1] ||
                                !ink.at<uchar>(y - 1, x) || !ink.at<uchar>(y + 1, x);
            const uchar* d = deep.ptr<uchar>(y);
            const bool across =
                d[x] && ((x + 2 < w && d[x + 2] && Distance2(colour + 3 * x, colour + 3 * x + 6) > limit) ||
                         (y + 2 < h && deep.at<uchar>(y + 2, x) &&
                          Distance2(colour + 3 * x, bgr.ptr<uchar>(y + 2) + 3 * x) > limit));
            e[x] = border || across;
            i[x] = across;
        }
    }
    if (cv::countNonZero(inner) == 0) return;
    // The pieces that hold edges between their colours.
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8, CV_32S);
    std::vector<int64_t> across(size_t(n), 0), around(size_t(n), 0);
    for (int y = 0; y < h; ++y) {
        const int* l = labels.ptr<int>(y);
        const uchar* e = edges.ptr<uchar>(y);
        const uchar* i = inner.ptr<uchar>(y);
        for (int x = 0; x < w; ++x) (i[x] ? across : around)[size_t(l[x])] += e[x] != 0;
    }
    std::vector<uchar> coloured(size_t(n), 0);
    bool any = false;
    for (int k = 1; k < n; ++k)
        any |= coloured[size_t(k)] =
            double(across[size_t(k)]) >= kTraceTuning.innerEdgeShare * double(around[size_t(k)]);
    if (!any) return;
    // Their edges, bands narrower than bandUnits closed into one stroke.
    const int band =
        std::max(3, int(std::lround(kTraceTuning.bandUnits * std::max(w, h) / kTraceTuning.size)));
    cv::Mat strokes = cv::Mat::zeros(h, w, CV_8U);
    for (int y = 0; y < h; ++y) {
        const int* l = labels.ptr<int>(y);
        const uchar* e = edges.ptr<uchar>(y);
        uchar* s = strokes.ptr<uchar>(y);
        for (int x = 0; x < w; ++x) s[x] = e[x] && coloured[size_t(l[x])];
    }
    cv::morphologyEx(strokes, strokes, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(band | 1, band | 1)));
    mask.edgeInk.assign(mask.ink.size(), 0);
    mask.edgeOnly.assign(mask.ink.size(), 0);
    for (int y = 0; y < h; ++y) {
        const int* l = labels.ptr<int>(y);
        const uchar* s = strokes.ptr<uchar>(y);
        const size_t row = size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x) {
            const bool stroke = s[x] != 0, whole = !coloured[size_t(l[x])] && mask.ink[row + size_t(x)];
            mask.edgeInk[row + size_t(x)] = stroke || whole;
            mask.edgeOnly[row + size_t(x)] = stroke;
        }
    }
}

}  // namespace lp
