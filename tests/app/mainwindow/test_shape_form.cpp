// The template controls on the main window: creation buttons, live size bars,
// the nesting of bar assignments, and the second half.
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QtTest>

#include "app/baseform.h"
#include "shapes/generators.h"
#include "support/basewindow.h"
#include "widgets/speedbutton.h"

namespace {

struct Figure {
    lp::Coords X{}, Y{};
    bool operator==(const Figure&) const = default;
};

Figure Current(const TBaseForm& form) {
    return {form.editor().data().FigureX, form.editor().data().FigureY};
}
Figure Undo(const TBaseForm& form) {
    return {form.editor().data().UndoX, form.editor().data().UndoY};
}

Figure Ellipse(uint8_t sx, uint8_t sy) {
    Figure f;
    lp::GreateCucle(f.X, f.Y, sx, sy, 1, 1, false);
    return f;
}

Figure Filled(uint8_t x, uint8_t y) {
    Figure f;
    f.X.fill(x);
    f.Y.fill(y);
    return f;
}

QList<lp::SpeedButton*> CreationButtons(const TBaseForm& form) {
    return {win::offMadeButton(form), win::figuraButton(form),    win::cucleButton(form),
            win::linesButton(form),   win::linesVertButton(form), win::pointsButton(form),
            win::starsButton(form),   win::treugButton(form)};
}

// Clicks like a user where the button can be seen; hidden ones are clicked from code.
void Click(lp::SpeedButton* button) {
    if (button->isVisible())
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->click();
}

}  // namespace

class TestShapeForm : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        form = new TBaseForm;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() { delete form; }

    void coupledSizeBars() {
        Click(win::cucleButton(*form));
        QVERIFY(Current(*form) == Ellipse(200, 200));

        // Ticked: both bars follow, the figure is generated twice, so the undo
        // copy is the first run's result, not the 200 ellipse.
        win::gorzFiguraBar(*form)->setValue(120);
        QCOMPARE(win::vertFiguraBar(*form)->value(), 120);
        QCOMPARE(win::sizeXLabel(*form)->text(), QStringLiteral("120"));
        QCOMPARE(win::sizeYLabel(*form)->text(), QStringLiteral("120"));
        QVERIFY(Current(*form) == Ellipse(120, 120));
        QVERIFY(Undo(*form) == Ellipse(120, 120));

        // The vertical bar drives the horizontal one just the same.
        win::vertFiguraBar(*form)->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(win::gorzFiguraBar(*form)->value(), 140);
        QCOMPARE(win::sizeXLabel(*form)->text(), QStringLiteral("140"));
        QVERIFY(Current(*form) == Ellipse(140, 140));
        QVERIFY(Undo(*form) == Ellipse(140, 140));

        // Unticked: only the width changes, generated once.
        QTest::mouseClick(win::sizeTogezeCheck(*form), Qt::LeftButton);
        QVERIFY(!win::sizeTogezeCheck(*form)->isChecked());
        win::gorzFiguraBar(*form)->setValue(80);
        QCOMPARE(win::vertFiguraBar(*form)->value(), 140);
        QCOMPARE(win::sizeXLabel(*form)->text(), QStringLiteral("80"));
        QCOMPARE(win::sizeYLabel(*form)->text(), QStringLiteral("140"));
        QVERIFY(Current(*form) == Ellipse(80, 140));
        QVERIFY(Undo(*form) == Ellipse(140, 140));

        // Clamped to the range, and the status stays blank.
        win::gorzFiguraBar(*form)->setValue(5);
        QCOMPARE(win::sizeXLabel(*form)->text(), QStringLiteral("20"));
        QVERIFY(Current(*form) == Ellipse(20, 140));
        QCOMPARE(win::statusLabel(*form)->text(), QStringLiteral(" "));
    }

    void noTemplateLeavesFigure() {
        // An edited, saved figure: no template selected.
        form->editor().setPoint(5, 10, 127);
        form->editor().setPoint(9, 127, 250);
        form->editor().clearUnsaved();
        const Figure before = Current(*form);
        const QImage field = win::field(*form)->image().copy();

        win::gorzFiguraBar(*form)->setValue(150);
        QVERIFY(Current(*form) == before);
        QVERIFY(Undo(*form) == before);
        QVERIFY(form->UndoEnabled());
        QCOMPARE(win::statusLabel(*form)->text(), QStringLiteral(" "));
        QCOMPARE(win::vertFiguraBar(*form)->value(), 150);
        QVERIFY(win::field(*form)->image() == field);  // nothing redrawn
    }

    void offMadeEndsCreation() {
        Click(win::cucleButton(*form));
        form->editor().clearUnsaved();
        const Figure figure = Current(*form), undo = Undo(*form);
        QVERIFY(figure != undo);

        Click(win::offMadeButton(*form));
        QVERIFY(win::offMadeButton(*form)->Down());
        QCOMPARE(form->editor().data().State.MakeMode, int(lp::MakeNone));
        QVERIFY(Current(*form) == figure);
        QVERIFY(Undo(*form) == undo);
        QVERIFY(!form->UndoEnabled());

        // Afterwards the bars leave the figure alone.
        win::gorzFiguraBar(*form)->setValue(60);
        QVERIFY(Current(*form) == figure);
    }

    void creationButtons() {
        // Each button with the option bars it leaves and one telling point of
        // its template (the polygon's: corner 1 of the square, then completed).
        struct Row {
            lp::SpeedButton* button;
            int makeMode, option, mode;
            int i, x, y;
        };
        const Row rows[] = {
            {win::linesButton(*form), lp::MakeLines, 243, 5, 77, 77, 200},
            {win::linesVertButton(*form), lp::MakeLinesVert, 12, 5, 77, 200, 77},
            {win::figuraButton(*form), lp::MakeFrame, 12, 5, 128, 254, 2},
            {win::starsButton(*form), lp::MakeStar, 12, 5, 63, 126, 32},
            {win::pointsButton(*form), lp::MakeCentre, 12, 5, 0, 127, 127},
            {win::treugButton(*form), lp::MakePolygon, 1, 4, 16, 227, 127},
            {win::cucleButton(*form), lp::MakeCircle, 1, 1, 0, 133, 227},
            {win::offMadeButton(*form), lp::MakeNone, 1, 1, 0, 133, 227},
        };
        for (const Row& row : rows) {
            Click(row.button);
            QCOMPARE(form->editor().data().State.MakeMode, row.makeMode);
            QCOMPARE(win::optionBar(*form)->value(), row.option);
            QCOMPARE(win::modeBar(*form)->value(), row.mode);
            QCOMPARE(win::optionLabel(*form)->text(), QString::number(row.option));
            QCOMPARE(win::modeLabel(*form)->text(), QString::number(row.mode));
            QCOMPARE(form->editor().data().FigureX[row.i], uint8_t(row.x));
            QCOMPARE(form->editor().data().FigureY[row.i], uint8_t(row.y));
            int down = 0;
            for (lp::SpeedButton* b : CreationButtons(*form)) down += b->Down();
            QCOMPARE(down, 1);
            QVERIFY(row.button->Down());
            if (row.makeMode == lp::MakePolygon) {
                QCOMPARE(form->editor().data().FigureX[191], uint8_t(118));
                QVERIFY(!form->editor().data().State.LinesFlag);
            }
            if (row.makeMode == lp::MakeCircle) {
                // Mode 4 -> 1 first regenerated the polygon with one corner: the
                // figure just before the final generation.
                QVERIFY(Undo(*form) == Filled(127, 227));
            }
        }
    }

    void repeatedClickRegenerates() {
        Click(win::cucleButton(*form));
        const Figure ellipse = Current(*form);
        QVERIFY(ellipse == Ellipse(200, 200));
        // Options 120/5 -> 1/1 ran with no template: nothing but undo copies.
        QVERIFY(Undo(*form) == Filled(127, 127));

        form->editor().setPoint(0, 0, form->editor().FigureY()[0]);  // an edit the second click discards
        const Figure edited = Current(*form);
        Click(win::cucleButton(*form));
        QVERIFY(win::cucleButton(*form)->Down());
        QVERIFY(Current(*form) == ellipse);
        QVERIFY(Undo(*form) == edited);
    }

    void secondHalf() {
        auto& X = form->editor().data().FigureX;
        auto& Y = form->editor().data().FigureY;
        Click(win::cucleButton(*form));
        win::half128Button(*form)->click();
        QVERIFY(win::half128Button(*form)->Down());
        // The arc from 2 to 129 degrees, then retraced.
        for (int i = 0; i < 128; ++i) {
            const lp::BytePoint p = lp::Sinus(i + 2, 200, 200);
            QCOMPARE(X[i], p.x);
            QCOMPARE(Y[i], p.y);
            QCOMPARE(X[255 - i], X[i]);
            QCOMPARE(Y[255 - i], Y[i]);
        }

        // Mirrored left-right, then also top-bottom.
        win::mirrGorButton(*form)->click();
        for (int i = 0; i < 128; ++i) {
            QCOMPARE(X[255 - i], uint8_t(255 - X[i]));
            QCOMPARE(Y[255 - i], Y[i]);
        }
        win::mirrVertButton(*form)->click();
        QCOMPARE(X[200], uint8_t(255 - X[55]));
        QCOMPARE(Y[200], uint8_t(255 - Y[55]));

        // The form's MadeHalf follows the same buttons.
        form->editor().setPoint(55, 10, Y[55]);
        form->MadeHalf();
        QCOMPARE(X[200], uint8_t(245));

        // Off again: the whole ellipse.
        win::half128Button(*form)->click();
        QVERIFY(!win::half128Button(*form)->Down());
        QVERIFY(Current(*form) == Ellipse(200, 200));
    }

  private:
    TBaseForm* form = nullptr;
};

QTEST_MAIN(TestShapeForm)
#include "test_shape_form.moc"
