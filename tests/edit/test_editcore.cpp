#include <QtTest>

#include "edit/editcore.h"

using namespace lp;

namespace {

Coords Filled(uint8_t v) {
    Coords c;
    c.fill(v);
    return c;
}

EditorState Area(int x1, int y1, int x2, int y2, int startX, int startY) {
    EditorState s;
    s.AreaX1 = x1;
    s.AreaY1 = y1;
    s.AreaX2 = x2;
    s.AreaY2 = y2;
    s.DragStartX = startX;
    s.DragStartY = startY;
    return s;
}

}  // namespace

class TestEditCore : public QObject {
    Q_OBJECT

  private slots:
    void fieldFromPixel();
    void searchPoint();
    void selectAreaNormalisesAndIncludesBounds();
    void selectionStopsAtLeftAndTopBorder();
    void selectionStopsAtRightAndBottomBorder();
};

void TestEditCore::fieldFromPixel() {
    const std::pair<int, int> cases[] = {{-5, 0},    {-1, 0},    {-3, 0},     {1, 0},      {3, 1},
                                         {511, 255}, {512, 255}, {1023, 255}, {-100000, 0}};
    for (auto [pixel, field] : cases) QCOMPARE(FieldFromPixel(pixel), field);
}

void TestEditCore::searchPoint() {
    Coords x = Filled(10), y = Filled(10);
    x[5] = y[5] = 100;
    x[9] = y[9] = 100;
    // Direction up: the highest index wins; down: the lowest.
    QCOMPARE(SearchPoint(x, y, 102, 97, false, false), 9);
    QCOMPARE(SearchPoint(x, y, 102, 97, false, true), 5);

    // Reach 3 on each axis, on both sides.
    for (bool down : {false, true}) {
        QCOMPARE(SearchPoint(x, y, 104, 100, false, down), -1);
        QCOMPARE(SearchPoint(x, y, 96, 100, false, down), -1);
        QCOMPARE(SearchPoint(x, y, 100, 104, false, down), -1);
        QCOMPARE(SearchPoint(x, y, 100, 96, false, down), -1);
        QVERIFY(SearchPoint(x, y, 103, 103, false, down) >= 0);
        QVERIFY(SearchPoint(x, y, 97, 97, false, down) >= 0);
    }

    // At the field's edges the distance must not wrap around the byte range.
    x[9] = 0;
    y[9] = 255;
    QCOMPARE(SearchPoint(x, y, 3, 252, false, false), 9);
    QCOMPARE(SearchPoint(x, y, 255, 0, false, false), -1);

    // "128" mode: points above 127 cannot be picked.
    x[200] = y[200] = 50;
    QCOMPARE(SearchPoint(x, y, 50, 50, false, false), 200);
    QCOMPARE(SearchPoint(x, y, 50, 50, true, false), -1);
    QCOMPARE(SearchPoint(x, y, 50, 50, true, true), -1);
    x[127] = y[127] = 50;
    QCOMPARE(SearchPoint(x, y, 50, 50, true, false), 127);
}

void TestEditCore::selectAreaNormalisesAndIncludesBounds() {
    EditorState s = Area(200, 200, 100, 50, 127, 127);
    Coords x = Filled(150), y = Filled(150);
    const struct {
        int i, x, y;
        bool in;
    } cases[] = {{0, 100, 50, true},  {1, 200, 200, true},  {2, 100, 200, true},
                 {3, 200, 50, true},  {4, 99, 100, false},  {5, 201, 100, false},
                 {6, 150, 49, false}, {7, 150, 201, false}, {255, 0, 0, false}};
    for (const auto& c : cases) {
        x[c.i] = uint8_t(c.x);
        y[c.i] = uint8_t(c.y);
    }
    Coords mask = Filled(1);
    SelectArea(s, x, y, mask);

    QCOMPARE(s.AreaX1, 100);
    QCOMPARE(s.AreaY1, 50);
    QCOMPARE(s.AreaX2, 200);
    QCOMPARE(s.AreaY2, 200);
    for (const auto& c : cases) QVERIFY2(mask[c.i] == (c.in ? 1 : 0), qPrintable(QString::number(c.i)));
}

void TestEditCore::selectionStopsAtLeftAndTopBorder() {
    EditorState s = Area(10, 5, 60, 40, 100, 100);
    Coords x = Filled(200), y = Filled(200);
    Coords mask = Filled(0);
    x[3] = 10;
    y[3] = 5;
    mask[3] = 1;

    // 30 to the left: rectangle and point stop after 10; Y and unselected points stay.
    SdvigXY(s, x, y, mask, 70, 100);
    QCOMPARE(s.AreaX1, 0);
    QCOMPARE(s.AreaX2, 50);
    QCOMPARE(x[3], uint8_t(0));
    QCOMPARE(y[3], uint8_t(5));
    QCOMPARE(x[0], uint8_t(200));
    QCOMPARE(s.DragStartX, 70);

    // Back 5: 5 to the right at once.
    SdvigXY(s, x, y, mask, 75, 100);
    QCOMPARE(s.AreaX1, 5);
    QCOMPARE(s.AreaX2, 55);
    QCOMPARE(x[3], uint8_t(5));

    // The same upwards, X untouched.
    SdvigXY(s, x, y, mask, 75, 80);
    QCOMPARE(s.AreaY1, 0);
    QCOMPARE(y[3], uint8_t(0));
    SdvigXY(s, x, y, mask, 75, 83);
    QCOMPARE(s.AreaY1, 3);
    QCOMPARE(s.AreaY2, 38);
    QCOMPARE(y[3], uint8_t(3));
    QCOMPARE(x[3], uint8_t(5));
    QCOMPARE(s.DragStartY, 83);
}

void TestEditCore::selectionStopsAtRightAndBottomBorder() {
    EditorState s = Area(200, 220, 250, 252, 10, 10);
    Coords x = Filled(0), y = Filled(0);
    Coords mask = Filled(0);
    x[7] = 250;
    y[7] = 252;
    // A selected point outside the rectangle (the second half may have been
    // rebuilt since the press) stops at the border on its own.
    x[8] = 254;
    y[8] = 254;
    mask[7] = mask[8] = 1;

    SdvigXY(s, x, y, mask, 40, 40);
    QCOMPARE(s.AreaX2, 255);
    QCOMPARE(s.AreaY2, 255);
    QCOMPARE(s.AreaX1, 205);
    QCOMPARE(s.AreaY1, 223);
    QCOMPARE(x[7], uint8_t(255));
    QCOMPARE(y[7], uint8_t(255));
    QCOMPARE(x[8], uint8_t(255));
    QCOMPARE(y[8], uint8_t(255));

    SdvigXY(s, x, y, mask, 35, 38);
    QCOMPARE(s.AreaX2, 250);
    QCOMPARE(s.AreaY2, 253);
    QCOMPARE(x[7], uint8_t(250));
    QCOMPARE(y[7], uint8_t(253));
}

QTEST_GUILESS_MAIN(TestEditCore)
#include "test_editcore.moc"
