// Choosing parts by hand: which part a point of the field means, and a part
// the points cannot hold drawn all the same when the user asks for it.
#include <QPainter>
#include <QPainterPath>
#include <QtTest>

#include "trace/parts/imageparts.h"
#include "trace/parts/partpick.h"
#include "trace/route/routeparts.h"

class PartPickTest : public QObject {
    Q_OBJECT

  private slots:
    // A ring (radii 40 and 20 about (60, 60)) and a dot (radius 10 about
    // (180, 180)) in field units: the picture lies on the field at half size.
    void partAt_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("ringLeftOut");
        QTest::addColumn<int>("kind");  // of the part picked; -1 none
        QTest::newRow("on the ring") << QPointF(60, 30) << false << int(lp::TracePart::Kind::Filled);
        QTest::newRow("in the hole") << QPointF(60, 60) << false << int(lp::TracePart::Kind::Hole);
        QTest::newRow("on the ring by the hole")
            << QPointF(60, 38) << false << int(lp::TracePart::Kind::Hole);
        QTest::newRow("in the hole, ring left out")
            << QPointF(60, 60) << true << int(lp::TracePart::Kind::Filled);
        QTest::newRow("in the dot") << QPointF(182, 178) << false << int(lp::TracePart::Kind::Filled);
        QTest::newRow("nowhere") << QPointF(200, 60) << false << -1;
    }
    void partAt() {
        QFETCH(QPointF, at);
        QFETCH(bool, ringLeftOut);
        QFETCH(int, kind);
        QImage image(512, 512, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainterPath ink;
        ink.addEllipse(QPointF(120, 120), 80, 80);
        ink.addEllipse(QPointF(120, 120), 40, 40);
        ink.addEllipse(QPointF(360, 360), 20, 20);
        QPainter(&image).fillPath(ink, Qt::black);
        const lp::TraceParts found =
            lp::FindImageParts(image, {}, lp::TracePlacement::InPlace({0, 0, 256, 256}));
        QCOMPARE(found.parts.size(), size_t(3));
        lp::PartChoice choice;
        if (ringLeftOut) choice.leftOut.insert(0);  // the largest
        const lp::TraceResult routed = lp::RouteParts(found, choice);
        const int id = lp::PartAt(found, routed, at, 3);
        QCOMPARE(id < 0 ? -1 : int(found.parts[size_t(id)].kind), kind);
        if (id >= 0) QVERIFY(found.parts[size_t(id)].bounds.adjusted(-3, -3, 3, 3).contains(at));
    }

    // 150 dots, more than 256 points hold: two left out for want of points and
    // then clicked are drawn beside the largest; clicked again, left out.
    void drawnWhenAsked() {
        QImage image(1024, 1024, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setBrush(Qt::black);
        for (int i = 0; i < 150; ++i)
            painter.drawEllipse(QPointF(40 + (i % 15) * 64, 40 + (i / 15) * 96), 12 + i % 7, 12 + i % 5);
        const lp::TraceParts found =
            lp::FindImageParts(image, {}, lp::TracePlacement::InPlace({0, 0, 256, 256}));
        lp::PartChoice choice;
        lp::TraceResult routed = lp::RouteParts(found, choice);
        std::vector<int> asked;
        for (size_t i = 0; i < routed.states.size(); ++i)
            if (routed.states[i] == lp::PartState::NoRoom || routed.states[i] == lp::PartState::TooFewPoints)
                asked.push_back(int(i));
        QVERIFY(asked.size() >= 2);
        asked = {asked.front(), asked.back()};
        for (const int id : asked) lp::TogglePart(choice, routed, id);
        routed = lp::RouteParts(found, choice);
        QVERIFY(routed.states[0] == lp::PartState::Drawn);
        for (const int id : asked) {
            QVERIFY(routed.states[size_t(id)] == lp::PartState::Drawn);
            const QRectF dot = found.parts[size_t(id)].bounds.adjusted(-1, -1, 1, 1);
            int near = 0;
            for (int i = 0; i < lp::kPointCount; ++i) near += dot.contains(QPointF(routed.X[i], routed.Y[i]));
            QVERIFY(near >= 6);
            lp::TogglePart(choice, routed, id);
        }
        routed = lp::RouteParts(found, choice);
        for (const int id : asked) QVERIFY(routed.states[size_t(id)] == lp::PartState::LeftOutByUser);
    }
};

QTEST_MAIN(PartPickTest)
#include "test_partpick.moc"
