// The point list operations on plain arrays.
#include <QtTest>

#include "edit/pointlist.h"

using namespace lp;

namespace {

// Point i at (i, 255 - i): every point distinct and known.
void Ramp(Coords& x, Coords& y) {
    for (int i = 0; i < kPointCount; ++i) {
        x[i] = uint8_t(i);
        y[i] = uint8_t(255 - i);
    }
}

int MaxStep(const Coords& v) {
    int m = 0;
    for (int i = 0; i < kPointCount; ++i) m = std::max(m, std::abs(v[i] - v[(i + 1) % kPointCount]));
    return m;
}

}  // namespace

class TestPointList : public QObject {
    Q_OBJECT

  private slots:
    void insert();
    void remove();
    void rotate();
    void normalisation();
};

void TestPointList::insert() {
    Coords x0, y0;
    Ramp(x0, y0);
    x0[10] = 250;
    y0[10] = 3;
    const struct {
        int c, offset;
        bool shifts;
        uint8_t x, y;  // point c afterwards
    } cases[] = {
        {10, 5, true, 250, 3},   {10, 12, true, 1, 10},  // 250 + 7 wraps to 1
        {10, 1, true, 246, 255},                         // 3 - 4 wraps to 255
        {0, 5, true, 0, 255},    {252, 5, true, 252, 3},
        {253, 12, false, 4, 9},  // nothing shifts from 253 on
        {254, 8, false, 1, 4},   {255, 5, false, 255, 0},
    };
    for (const auto& t : cases) {
        Coords x = x0, y = y0;
        InsertPoint(x, y, t.c, t.offset);
        const QByteArray tag = QByteArray::number(t.c) + " " + QByteArray::number(t.offset);
        QVERIFY2(x[t.c] == t.x && y[t.c] == t.y, tag);
        for (int i = 0; i < kPointCount; ++i) {
            if (i == t.c) continue;
            // Before c unchanged; after c one place later, the old copy of c at c + 1.
            const int from = !t.shifts || i < t.c ? i : i - 1;
            QVERIFY2(x[i] == x0[from] && y[i] == y0[from], tag + " point " + QByteArray::number(i));
        }
    }

    // Nothing picked: nothing changes, nothing is written beyond the arrays.
    struct Guarded {
        Coords x, y;
        uint8_t after[16];
    } g;
    Ramp(g.x, g.y);
    std::fill(std::begin(g.after), std::end(g.after), 0xA5);
    const Coords x1 = g.x, y1 = g.y;
    for (int c : {int(kNoCurrentPoint), -1, 256, 1000}) {
        InsertPoint(g.x, g.y, c, 12);
        DeletePoint(g.x, g.y, c);
    }
    QCOMPARE(g.x, x1);
    QCOMPARE(g.y, y1);
    for (uint8_t b : g.after) QCOMPARE(b, uint8_t(0xA5));
}

void TestPointList::remove() {
    Coords x0, y0;
    Ramp(x0, y0);
    for (int c : {0, 10, 252}) {
        Coords x = x0, y = y0;
        DeletePoint(x, y, c);
        for (int i = 0; i < 255; ++i) {
            const int from = i < c ? i : i + 1;
            QVERIFY(x[i] == x0[from] && y[i] == y0[from]);
        }
        QCOMPARE(x[255], x0[255]);  // the last point now twice
        QCOMPARE(y[255], y0[255]);
        QCOMPARE(x[254], x0[255]);
    }
    for (int c : {253, 254, 255}) {
        Coords x = x0, y = y0;
        DeletePoint(x, y, c);
        QCOMPARE(x, x0);
        QCOMPARE(y, y0);
    }
}

void TestPointList::rotate() {
    Coords x0, y0;
    Ramp(x0, y0);
    Coords x = x0, y = y0;
    RotatePoints(x, y, true);
    QCOMPARE(x[0], x0[1]);
    QCOMPARE(x[255], x0[0]);
    QCOMPARE(y[254], y0[255]);
    QCOMPARE(y[255], y0[0]);
    RotatePoints(x, y, false);
    QCOMPARE(x, x0);
    QCOMPARE(y, y0);
    RotatePoints(x, y, false);
    QCOMPARE(x[0], x0[255]);
    QCOMPARE(y[1], y0[0]);
}

void TestPointList::normalisation() {
    // 0 and then 255 tens, d = 3: the closing pair moves point 0 and the next
    // pass carries the correction to point 1.
    Coords x, y;
    x.fill(10);
    x[0] = 0;
    y.fill(40);
    NormalPoints(x, y, 3);
    const uint8_t head[] = {7, 4, 6, 9, 10};
    for (int i = 0; i < 5; ++i) QCOMPARE(x[i], head[i]);
    for (int i = 5; i < kPointCount; ++i) QCOMPARE(x[i], uint8_t(10));
    for (uint8_t v : y) QCOMPARE(v, uint8_t(40));

    // The same on Y alone, X untouched.
    std::swap(x, y);
    x.fill(40);
    y.fill(10);
    y[0] = 0;
    NormalPoints(x, y, 3);
    for (int i = 0; i < 5; ++i) QCOMPARE(y[i], head[i]);

    // A figure whose steps are at most 12, the closing pair included, stays.
    Coords sx, sy;
    for (int i = 0; i < kPointCount; ++i) {
        const int k = i < 128 ? i : 255 - i;
        sx[i] = uint8_t(100 + (i % 2) * 12);
        sy[i] = uint8_t(2 * k);
    }
    QCOMPARE(MaxStep(sx), 12);
    QVERIFY(MaxStep(sy) <= 12);
    const Coords sx0 = sx, sy0 = sy;
    NormalPoints(sx, sy, 12);
    QCOMPARE(sx, sx0);
    QCOMPARE(sy, sy0);

    // The worst figure, 0 and 255 alternating: both axes alike, steps within d.
    for (int d : {1, 3, 12}) {
        Coords wx, wy;
        for (int i = 0; i < kPointCount; ++i) wx[i] = wy[i] = (i % 2) ? 255 : 0;
        NormalPoints(wx, wy, d);
        for (int i = 1; i < kPointCount; ++i) QVERIFY(std::abs(wx[i] - wx[i - 1]) <= d);
        QCOMPARE(wx, wy);
    }
}

QTEST_GUILESS_MAIN(TestPointList)
#include "test_pointlist.moc"
