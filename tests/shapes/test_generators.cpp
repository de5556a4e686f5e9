#include <QtTest>
#include <algorithm>
#include <vector>

#include "shapes/generators.h"

using namespace lp;

namespace {

struct Key {
    int i, x, y;
};

QString Pt(int i, int x, int y) {
    return QStringLiteral("%1:(%2,%3)").arg(i).arg(x).arg(y);
}

// Points between consecutive keys must lie evenly spaced on the straight segment.
void CheckPolyline(const Coords& X, const Coords& Y, const std::vector<Key>& keys) {
    for (size_t k = 0; k + 1 < keys.size(); ++k) {
        const Key a = keys[k], b = keys[k + 1];
        for (int i = a.i; i <= b.i; ++i) {
            const int t = i - a.i, n = b.i - a.i;
            QCOMPARE(Pt(i, X[i], Y[i]),
                     Pt(i, a.x + (n ? (b.x - a.x) * t / n : 0), a.y + (n ? (b.y - a.y) * t / n : 0)));
        }
    }
}

void CheckPoints(const Coords& X, const Coords& Y, const std::vector<Key>& pts) {
    for (const Key& p : pts) QCOMPARE(Pt(p.i, X[p.i], Y[p.i]), Pt(p.i, p.x, p.y));
}

void CheckCorners(const Corners& c, const std::vector<Key>& corners) {
    for (const Key& p : corners) QCOMPARE(Pt(p.i, c.CornerX[p.i], c.CornerY[p.i]), Pt(p.i, p.x, p.y));
}

}  // namespace

class TestGenerators : public QObject {
    Q_OBJECT
  private slots:
    void sinus() {
        // Tiny sines of the rounded 180 and 360 degrees: negative, then positive.
        QCOMPARE(Sinus(180, 200, 200).x, uint8_t(127));
        QCOMPARE(Sinus(360, 200, 200).x, uint8_t(128));
        QCOMPARE(Pt(270, Sinus(270, 200, 200).x, Sinus(270, 200, 200).y), Pt(270, 28, 128));
        QCOMPARE(Sinus(0, 200, 200).y, uint8_t(227));
        // Offsets -1 (ceil of -1.5) and 0 (ceil of -0.5) share coordinate 127; +1 gives 128.
        QCOMPARE(Sinus(270, 3, 3).x, uint8_t(127));
        QCOMPARE(Sinus(270, 1, 1).x, uint8_t(127));
        QCOMPARE(Sinus(90, 1, 1).x, uint8_t(128));
    }

    void ellipse() {
        Coords X{}, Y{};
        const auto span = [&](int x0, int x1, int y0, int y1) {
            QCOMPARE(*std::min_element(X.begin(), X.end()), uint8_t(x0));
            QCOMPARE(*std::max_element(X.begin(), X.end()), uint8_t(x1));
            QCOMPARE(*std::min_element(Y.begin(), Y.end()), uint8_t(y0));
            QCOMPARE(*std::max_element(Y.begin(), Y.end()), uint8_t(y1));
        };
        GreateCucle(X, Y, 200, 200, 1, 1, false);
        CheckPoints(
            X, Y,
            {{0, 133, 227}, {1, 134, 227}, {58, 227, 127}, {118, 127, 29}, {178, 28, 129}, {238, 128, 227}});
        for (int i = 239; i < 256; ++i) CheckPoints(X, Y, {{i, 129, 227}});
        span(28, 227, 29, 227);
        GreateCucle(X, Y, 250, 250, 1, 1, false);
        span(3, 252, 4, 252);
        GreateCucle(X, Y, 20, 20, 1, 1, false);
        span(118, 137, 119, 137);
        CheckPoints(X, Y, {{0, 128, 137}});
    }

    void ellipseHalf() {
        Coords X{}, Y{};
        for (int i = 0; i < 256; ++i) X[i] = Y[i] = uint8_t(i * 7);
        const Coords oldX = X, oldY = Y;
        GreateCucle(X, Y, 200, 200, 1, 1, true);
        QVERIFY(std::equal(X.begin() + 128, X.end(), oldX.begin() + 128));
        QVERIFY(std::equal(Y.begin() + 128, Y.end(), oldY.begin() + 128));
        for (int i = 0; i < 128; ++i) {  // arc from 2 to 129 degrees
            const BytePoint p = Sinus(2 + i, 200, 200);
            CheckPoints(X, Y, {{i, p.x, p.y}});
        }
    }

    void fixedTemplates() {
        Coords X, Y;
        X.fill(77);
        Y.fill(77);
        GreateBegin(X, Y);
        CheckPolyline(X, Y,
                      {{0, 2, 250},
                       {62, 2, 2},
                       {63, 2, 2},
                       {64, 2, 2},
                       {126, 250, 2},
                       {127, 250, 2},
                       {128, 254, 2},
                       {191, 254, 254},
                       {192, 250, 254},
                       {254, 2, 254},
                       {255, 2, 254}});
        GreateStars(X, Y);
        CheckPolyline(X, Y,
                      {{0, 32, 127},
                       {31, 94, 96},
                       {63, 126, 32},
                       {95, 158, 96},
                       {127, 222, 128},
                       {159, 158, 160},
                       {191, 126, 224},
                       {222, 95, 162},
                       {254, 31, 130},
                       {255, 32, 127}});
        GreateLines(X, Y, 20);
        CheckPolyline(X, Y, {{0, 0, 20}, {255, 255, 20}});
        GreateLinesV(X, Y, 20);
        CheckPolyline(X, Y, {{0, 20, 0}, {255, 20, 255}});
    }

    void polygon() {
        Coords X, Y;
        Corners c;
        bool lines = false;
        GreateCorner(X, Y, c, 200, 200, 1, 4, lines);
        QVERIFY(lines);
        CheckCorners(c, {{0, 127, 227}, {1, 227, 127}, {2, 127, 28}, {3, 28, 128}, {4, 127, 227}});
        CheckPoints(X, Y,
                    {{1, 133, 221},
                     {15, 217, 137},
                     {16, 227, 127},
                     {17, 221, 121},
                     {32, 127, 28},
                     {48, 28, 128},
                     {63, 118, 218}});
        Made64(X, Y, lines);
        QVERIFY(!lines);
        CheckPoints(X, Y,
                    {{64, 118, 218},
                     {127, 127, 227},
                     {128, 127, 227},
                     {191, 118, 218},
                     {192, 118, 218},
                     {255, 127, 227}});

        X.fill(5);
        Y.fill(5);
        GreateCorner(X, Y, c, 200, 200, 1, 5, lines);
        CheckCorners(c, {{0, 127, 227}, {1, 223, 158}, {2, 186, 48}, {3, 70, 48}, {4, 33, 158}});
        CheckPoints(X, Y, {{60, 117, 218}, {61, 117, 218}, {62, 117, 218}, {63, 117, 218}});

        GreateCorner(X, Y, c, 200, 200, 1, 3, lines);
        CheckCorners(c, {{0, 127, 227}, {1, 214, 79}, {2, 42, 78}});
        CheckPoints(X, Y, {{63, 126, 225}});
    }

    void polygonShortSides() {
        const struct { int m, last; } cases[] = {{10, 60}, {11, 55}, {12, 60}};
        for (const auto& tc : cases) {
            Coords X, Y;
            X.fill(5);  // no outline point at sizes 200 lies below 28
            Y.fill(5);
            Corners c;
            bool lines = false;
            GreateCorner(X, Y, c, 200, 200, 1, tc.m, lines);
            for (int k = 0; k < tc.m; ++k) CheckPoints(X, Y, {{k * (64 / tc.m), c.CornerX[k], c.CornerY[k]}});
            for (int i = 0; i < 64; ++i) QVERIFY(X[i] != 5 && Y[i] != 5);
            for (int i = tc.last + 1; i < 64; ++i) CheckPoints(X, Y, {{i, X[tc.last], Y[tc.last]}});
            QVERIFY(X[tc.last] != c.CornerX[0] || Y[tc.last] != c.CornerY[0]);
        }
    }

    void brezenLine() {
        Coords X{}, Y{};
        X.fill(99);
        Y.fill(99);
        QVERIFY(!BrezenLine(X, Y, 10, 10, 20, 40, 5, 5));
        CheckPoints(X, Y, {{4, 99, 99}, {5, 10, 10}, {6, 99, 99}});
        QVERIFY(BrezenLine(X, Y, 0, 0, 10, 0, 0, 4));  // ends two short of 10
        CheckPoints(X, Y, {{0, 0, 0}, {1, 2, 0}, {2, 4, 0}, {3, 6, 0}, {4, 8, 0}, {5, 10, 10}});
        QVERIFY(BrezenLine(X, Y, 20, 20, 10, 0, 10, 13));  // falling on both axes
        CheckPoints(X, Y, {{10, 20, 20}, {11, 17, 14}, {12, 14, 8}, {13, 11, 2}, {14, 99, 99}});
    }

    void madeHalf() {
        Coords X, Y;
        for (int i = 0; i < 256; ++i) {
            X[i] = uint8_t(i * 3 + 1);
            Y[i] = uint8_t(200 - i);
        }
        const Coords oldX = X, oldY = Y;
        MadeHalf(X, Y, false, true, true);
        QVERIFY(X == oldX && Y == oldY);
        const struct {
            bool gor, vert;
        } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
        for (const auto& tc : cases) {
            MadeHalf(X, Y, true, tc.gor, tc.vert);
            QVERIFY(std::equal(X.begin(), X.begin() + 128, oldX.begin()));
            QVERIFY(std::equal(Y.begin(), Y.begin() + 128, oldY.begin()));
            for (int i : {0, 55, 127}) {
                QCOMPARE(X[255 - i], uint8_t(tc.gor ? 255 - oldX[i] : oldX[i]));
                QCOMPARE(Y[255 - i], uint8_t(tc.vert ? 255 - oldY[i] : oldY[i]));
            }
        }
    }

    void dispatch() {
        Coords X, Y;
        X.fill(9);
        Y.fill(9);
        Corners c;
        bool lines = false;
        RunGenerator(MakeNone, X, Y, c, {}, lines);
        QVERIFY(std::all_of(X.begin(), X.end(), [](uint8_t v) { return v == 9; }));
        // Polygon with the second half on: Made64 runs last, so mirroring is lost.
        RunGenerator(MakePolygon, X, Y, c, {200, 200, 1, 4, true}, lines);
        CompleteFigure(X, Y, true, true, true, lines);
        QVERIFY(!lines);
        CheckPoints(X, Y, {{64, 118, 218}, {128, 127, 227}, {255, 127, 227}});
        // Ellipse arc completed by its retraced first half.
        RunGenerator(MakeCircle, X, Y, c, {200, 200, 1, 1, true}, lines);
        CompleteFigure(X, Y, true, false, false, lines);
        for (int i = 0; i < 128; ++i) CheckPoints(X, Y, {{255 - i, X[i], Y[i]}});
    }
};

QTEST_APPLESS_MAIN(TestGenerators)
#include "test_generators.moc"
