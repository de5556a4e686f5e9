// The template controls on the main window: creation buttons, live size bars,
// the nesting of bar assignments, and the second half.
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QtTest>

#include "app/baseform.h"
#include "shapes/generators.h"
#include "ui_baseform.h"
#include "widgets/speedbutton.h"

namespace {

struct Figure {
    lp::Coords X{}, Y{};
    bool operator==(const Figure&) const = default;
};

Figure Current(const TBaseForm& form) {
    return {form.data.FigureX, form.data.FigureY};
}
Figure Undo(const TBaseForm& form) {
    return {form.data.UndoX, form.data.UndoY};
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
    return {form.ui->SpeedButtonOffMade, form.ui->SpeedButtonFigura,    form.ui->SpeedButtonCucle,
            form.ui->SpeedButtonLines,   form.ui->SpeedButtonLinesVert, form.ui->SpeedButtonPoints,
            form.ui->SpeedButtonStars,   form.ui->SpeedButtonTreug};
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
        Click(form->ui->SpeedButtonCucle);
        QVERIFY(Current(*form) == Ellipse(200, 200));

        // Ticked: both bars follow, the figure is generated twice, so the undo
        // copy is the first run's result, not the 200 ellipse.
        form->ui->ScrollBarGorzFigura->setValue(120);
        QCOMPARE(form->ui->ScrollBarVertFigura->value(), 120);
        QCOMPARE(form->ui->LabelSizeX->text(), QStringLiteral("120"));
        QCOMPARE(form->ui->LabelSizeY->text(), QStringLiteral("120"));
        QVERIFY(Current(*form) == Ellipse(120, 120));
        QVERIFY(Undo(*form) == Ellipse(120, 120));

        // The vertical bar drives the horizontal one just the same.
        form->ui->ScrollBarVertFigura->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(form->ui->ScrollBarGorzFigura->value(), 140);
        QCOMPARE(form->ui->LabelSizeX->text(), QStringLiteral("140"));
        QVERIFY(Current(*form) == Ellipse(140, 140));
        QVERIFY(Undo(*form) == Ellipse(140, 140));

        // Unticked: only the width changes, generated once.
        QTest::mouseClick(form->ui->CheckBoxSizeTogeze, Qt::LeftButton);
        QVERIFY(!form->ui->CheckBoxSizeTogeze->isChecked());
        form->ui->ScrollBarGorzFigura->setValue(80);
        QCOMPARE(form->ui->ScrollBarVertFigura->value(), 140);
        QCOMPARE(form->ui->LabelSizeX->text(), QStringLiteral("80"));
        QCOMPARE(form->ui->LabelSizeY->text(), QStringLiteral("140"));
        QVERIFY(Current(*form) == Ellipse(80, 140));
        QVERIFY(Undo(*form) == Ellipse(140, 140));

        // Clamped to the range, and the status stays blank.
        form->ui->ScrollBarGorzFigura->setValue(5);
        QCOMPARE(form->ui->LabelSizeX->text(), QStringLiteral("20"));
        QVERIFY(Current(*form) == Ellipse(20, 140));
        QCOMPARE(form->ui->LabelStatus->text(), QStringLiteral(" "));
    }

    void noTemplateLeavesFigure() {
        // An edited, saved figure: no template selected.
        form->data.FigureX[5] = 10;
        form->data.FigureY[9] = 250;
        form->ui->SpeedButtonUndo->setEnabled(false);
        const Figure before = Current(*form);
        const QImage field = form->ui->PaintBoxDraw->image().copy();

        form->ui->ScrollBarGorzFigura->setValue(150);
        QVERIFY(Current(*form) == before);
        QVERIFY(Undo(*form) == before);
        QVERIFY(form->UndoEnabled());
        QCOMPARE(form->ui->LabelStatus->text(), QStringLiteral(" "));
        QCOMPARE(form->ui->ScrollBarVertFigura->value(), 150);
        QVERIFY(form->ui->PaintBoxDraw->image() == field);  // nothing redrawn
    }

    void offMadeEndsCreation() {
        Click(form->ui->SpeedButtonCucle);
        form->ui->SpeedButtonUndo->setEnabled(false);
        const Figure figure = Current(*form), undo = Undo(*form);
        QVERIFY(figure != undo);

        Click(form->ui->SpeedButtonOffMade);
        QVERIFY(form->ui->SpeedButtonOffMade->Down());
        QCOMPARE(form->data.State.MakeMode, int(lp::MakeNone));
        QVERIFY(Current(*form) == figure);
        QVERIFY(Undo(*form) == undo);
        QVERIFY(!form->UndoEnabled());

        // Afterwards the bars leave the figure alone.
        form->ui->ScrollBarGorzFigura->setValue(60);
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
            {form->ui->SpeedButtonLines, lp::MakeLines, 243, 5, 77, 77, 200},
            {form->ui->SpeedButtonLinesVert, lp::MakeLinesVert, 12, 5, 77, 200, 77},
            {form->ui->SpeedButtonFigura, lp::MakeFrame, 12, 5, 128, 254, 2},
            {form->ui->SpeedButtonStars, lp::MakeStar, 12, 5, 63, 126, 32},
            {form->ui->SpeedButtonPoints, lp::MakeCentre, 12, 5, 0, 127, 127},
            {form->ui->SpeedButtonTreug, lp::MakePolygon, 1, 4, 16, 227, 127},
            {form->ui->SpeedButtonCucle, lp::MakeCircle, 1, 1, 0, 133, 227},
            {form->ui->SpeedButtonOffMade, lp::MakeNone, 1, 1, 0, 133, 227},
        };
        for (const Row& row : rows) {
            Click(row.button);
            QCOMPARE(form->data.State.MakeMode, row.makeMode);
            QCOMPARE(form->ui->ScrollBarOption->value(), row.option);
            QCOMPARE(form->ui->ScrollBarMode->value(), row.mode);
            QCOMPARE(form->ui->LabelOption->text(), QString::number(row.option));
            QCOMPARE(form->ui->LabelMode->text(), QString::number(row.mode));
            QCOMPARE(form->data.FigureX[row.i], uint8_t(row.x));
            QCOMPARE(form->data.FigureY[row.i], uint8_t(row.y));
            int down = 0;
            for (lp::SpeedButton* b : CreationButtons(*form)) down += b->Down();
            QCOMPARE(down, 1);
            QVERIFY(row.button->Down());
            if (row.makeMode == lp::MakePolygon) {
                QCOMPARE(form->data.FigureX[191], uint8_t(118));
                QVERIFY(!form->data.State.LinesFlag);
            }
            if (row.makeMode == lp::MakeCircle) {
                // Mode 4 -> 1 first regenerated the polygon with one corner: the
                // figure just before the final generation.
                QVERIFY(Undo(*form) == Filled(127, 227));
            }
        }
    }

    void repeatedClickRegenerates() {
        Click(form->ui->SpeedButtonCucle);
        const Figure ellipse = Current(*form);
        QVERIFY(ellipse == Ellipse(200, 200));
        // Options 120/5 -> 1/1 ran with no template: nothing but undo copies.
        QVERIFY(Undo(*form) == Filled(127, 127));

        form->data.FigureX[0] = 0;  // an edit the second click discards
        const Figure edited = Current(*form);
        Click(form->ui->SpeedButtonCucle);
        QVERIFY(form->ui->SpeedButtonCucle->Down());
        QVERIFY(Current(*form) == ellipse);
        QVERIFY(Undo(*form) == edited);
    }

    void secondHalf() {
        auto& X = form->data.FigureX;
        auto& Y = form->data.FigureY;
        Click(form->ui->SpeedButtonCucle);
        form->ui->SpeedButton128->click();
        QVERIFY(form->ui->SpeedButton128->Down());
        // The arc from 2 to 129 degrees, then retraced.
        for (int i = 0; i < 128; ++i) {
            const lp::BytePoint p = lp::Sinus(i + 2, 200, 200);
            QCOMPARE(X[i], p.x);
            QCOMPARE(Y[i], p.y);
            QCOMPARE(X[255 - i], X[i]);
            QCOMPARE(Y[255 - i], Y[i]);
        }

        // Mirrored left-right, then also top-bottom.
        form->ui->SpeedButtonMirrGor->click();
        for (int i = 0; i < 128; ++i) {
            QCOMPARE(X[255 - i], uint8_t(255 - X[i]));
            QCOMPARE(Y[255 - i], Y[i]);
        }
        form->ui->SpeedButtonmirrVert->click();
        QCOMPARE(X[200], uint8_t(255 - X[55]));
        QCOMPARE(Y[200], uint8_t(255 - Y[55]));

        // The form's MadeHalf follows the same buttons.
        X[55] = 10;
        form->MadeHalf();
        QCOMPARE(X[200], uint8_t(245));

        // Off again: the whole ellipse.
        form->ui->SpeedButton128->click();
        QVERIFY(!form->ui->SpeedButton128->Down());
        QVERIFY(Current(*form) == Ellipse(200, 200));
    }

  private:
    TBaseForm* form = nullptr;
};

QTEST_MAIN(TestShapeForm)
#include "test_shape_form.moc"
