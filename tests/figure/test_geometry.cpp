// The geometry kit's edge cases against values worked out by hand.
#include <QtTest>
#include <cmath>
#include <limits>

#include "figure/corners.h"
#include "figure/geometry.h"

using Points = std::vector<QPointF>;

class GeometryTest : public QObject {
    Q_OBJECT
  private slots:
    void measures();
    void resampling();
    void corners();
};

void GeometryTest::measures() {
    struct Case {
        const char* what;
        double got, want;
    };
    const QPointF o(0, 0), x(1, 0), y(0, 1);
    const Points path{{0, 0}, {3, 4}, {3, 0}};
    const Points square{{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    const lp::LoopArcs loop(square);
    const Case cases[] = {
        {"left turn", lp::TurnAngle(x, y), M_PI / 2},
        {"back", lp::TurnAngle(x, -x), M_PI},
        {"no direction", lp::TurnAngle(o, y), 0},
        {"turn at a corner", lp::TurnAt(o, {1, 0}, {1, -1}), M_PI / 2},
        {"beside a segment", lp::SegmentDistance({1, 1}, o, {2, 0}), 1},
        {"beyond its end", lp::SegmentDistance({5, 4}, o, {2, 0}), 5},
        {"segment of no length", lp::SegmentDistance({4, 5}, {1, 1}, {1, 1}), 5},
        {"beside its line", lp::LineDistance({5, 4}, o, {2, 0}), 4},
        {"line of no length", lp::LineDistance({4, 5}, {1, 1}, {1, 1}), 5},
        {"open length", lp::PathLength(path, false), 9},
        {"closed length", lp::PathLength(path, true), 12},
        {"along the loop", lp::Distance(loop.at(1), {1, 0}), 0},
        {"back from the start", lp::Distance(loop.at(-1), {0, 1}), 0},
        {"round once more", lp::Distance(loop.at(9), {1, 0}), 0},
        // -1e-17 + 8 rounds to 8, past the last arc length: the last segment's end.
        {"a hair before the start", lp::Distance(loop.at(-1e-17), o), 0},
        {"unrolled arc", loop.arc(5), 10},
        {"beyond an open path's end", lp::Distance(lp::AtArc(path, lp::ArcLengths(path, false), 20), {3, 0}),
         0},
    };
    for (const Case& c : cases) QVERIFY2(std::abs(c.got - c.want) < 1e-12, c.what);
}

void GeometryTest::resampling() {
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(lp::Resampled({{0, 0}, {2.5, 0}}, 1), (Points{{0, 0}, {1, 0}, {2, 0}, {2.5, 0}}));
    QCOMPARE(lp::Resampled({{0, 0}, {2.4, 0}}, 1),
             (Points{{0, 0}, {1, 0}, {2.4, 0}}));  // the last step too short
    QCOMPARE(lp::Resampled({{0, 0}, {1, 0}, {1, 1.5}}, 1), (Points{{0, 0}, {1, 0}, {1, 1}, {1, 1.5}}));
    QCOMPARE(lp::Resampled({{0, 0}, {inf, 0}}, 1).size(), size_t(2));  // refused: given back as it is
    QVERIFY(lp::Resampled({}, 1).empty());
}

void GeometryTest::corners() {
    struct Case {
        const char* what;
        Points path;
        bool closed;
        std::vector<bool> marked;
        std::vector<size_t> want;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Points square{{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}};
    const Case cases[] = {
        {"a square's corners", square, true, {}, {0, 2, 4, 6}},
        {"those marked kept out", square, true, {true, false, false, false, false, false, true}, {2, 4}},
        {"an open bend", {{0, 0}, {5, 0}, {5, 5}}, false, {}, {1}},
        {"a bend nearer an end than the span", {{0, 0}, {0.5, 0}, {0.5, 5}}, false, {}, {}},
        {"a gentle bend (30 degrees)", {{0, 0}, {5, 0}, {5 + 5 * std::sqrt(3) / 2, 2.5}}, false, {}, {}},
        {"a point", {{1, 1}, {1, 1}, {1, 1}}, true, {}, {}},
        {"not a number", {{0, 0}, {5, 0}, {nan, 5}}, false, {}, {}},
    };
    for (const Case& c : cases)
        QVERIFY2(lp::FindCorners(c.path, c.closed, {45, 1}, c.marked) == c.want, c.what);
}

QTEST_APPLESS_MAIN(GeometryTest)
#include "test_geometry.moc"
