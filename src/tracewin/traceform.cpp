#include "tracewin/traceform.h"

#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <algorithm>

#include "language/translations.h"
#include "trace/partpick.h"
#include "ui_traceform.h"
#include "widgets/formstyle.h"

namespace {

QString Units(double value) {
    return TTraceForm::tr("%1 ед.").arg(lp::InterfaceLocale().toString(value, 'f', 1));
}

// Why the parts not drawn are not: counted by reason.
QString NotDrawn(const lp::TraceResult& r) {
    int user = 0, largest = 0, points = 0;
    for (const lp::PartState state : r.states) {
        user += state == lp::PartState::LeftOutByUser;
        largest += state == lp::PartState::BeyondLargest;
        points += state == lp::PartState::NoRoom || state == lp::PartState::TooFewPoints;
    }
    QStringList why;
    if (user) why << TTraceForm::tr("убраны щелчком — %1").arg(user);
    if (largest) why << TTraceForm::tr("сверх крупнейших — %1").arg(largest);
    if (points) why << TTraceForm::tr("не уместились в 256 точек — %1").arg(points);
    return why.isEmpty() ? QString() : TTraceForm::tr("Не рисуются: %1.").arg(why.join(QStringLiteral(", ")));
}

QString StatusOf(const lp::TraceOutcome& outcome) {
    const lp::TraceResult& r = outcome.result;
    QString text;
    if (!r.ok) {
        text = r.error.isEmpty() ? TTraceForm::tr("Не удалось обвести") : r.error;
    } else {
        text =
            TTraceForm::tr("Контуров: %1, %2, маршрут %3, мосты %4\nСредний шаг %5, наибольшее отклонение %6")
                .arg(r.contours)
                .arg(TTraceForm::tr("частей %1 из %2").arg(r.shownDrawn).arg(r.shownFound))
                .arg(Units(r.routeLength), Units(r.bridgeLength), Units(r.meanStep), Units(r.worstDeviation));
        if (r.illegible)
            text += QLatin1Char('\n') + lp::LeftOutSummary(r, false);
        else if (const QString left = NotDrawn(r); !left.isEmpty())
            text += QLatin1Char('\n') + left;
        else if (r.detailLost)
            text += TTraceForm::tr("\n256 точек не вмещают всех деталей: показано лучшее, что из них вышло.");
    }
    if (!outcome.note.isEmpty()) text += QLatin1Char('\n') + outcome.note;
    return text;
}

}  // namespace

TTraceForm::TTraceForm(QWidget* parent) : QDialog(parent), ui(new Ui::TTraceForm) {
    lp::ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("TraceForm"));
    setModal(true);

    auto findOn = [this](auto* sender, auto signal, bool mask = false) {
        connect(sender, signal, this, [this, mask] { findAgain(mask); });
    };
    findOn(ui->TabSource, &QTabWidget::currentChanged);
    findOn(ui->CheckBoxAutoThreshold, &QCheckBox::toggled, true);
    findOn(ui->SliderThreshold, &QSlider::valueChanged, true);
    findOn(ui->ComboInk, &QComboBox::currentIndexChanged, true);
    findOn(ui->SliderSpeck, &QSlider::valueChanged);
    findOn(ui->RadioOutline, &QRadioButton::toggled);
    findOn(ui->RadioLines, &QRadioButton::toggled);
    findOn(ui->EditText, &QPlainTextEdit::textChanged);
    findOn(ui->FontText, &QFontComboBox::currentFontChanged);
    findOn(ui->CheckBoxBold, &QCheckBox::toggled);
    findOn(ui->SpinSize, &QSpinBox::valueChanged);
    connect(ui->SpinLargest, &QSpinBox::valueChanged, this, &TTraceForm::retrace);
    connect(ui->BeamView, &lp::TBeamView::partClicked, this, &TTraceForm::partClicked);
    connect(ui->ButtonResetParts, &QPushButton::clicked, this, &TTraceForm::resetParts);
    connect(ui->ButtonOpenPicture, &QPushButton::clicked, this, &TTraceForm::openPictureRequested);
    connect(ui->ButtonShowPicture, &QPushButton::clicked, this, &TTraceForm::showPictureRequested);
    connect(ui->ButtonApply, &QPushButton::clicked, this, &TTraceForm::applyClicked);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter starts a new line of text; Ctrl+Enter applies wherever the focus is.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &TTraceForm::applyClicked);
    updateLabels();
}

TTraceForm::~TTraceForm() = default;

void TTraceForm::setPicture(const Picture& picture) {
    const bool same = picture.image.cacheKey() == picture_.image.cacheKey() &&
                      picture.area == picture_.area && picture.hidden == picture_.hidden;
    picture_ = picture;
    if (same)
        retrace();
    else
        findAgain(true);
}

void TTraceForm::findAgain(bool mask) {
    maskAsked_ += mask;
    ++partsAsked_;
    choice_ = {};
    ui->BeamView->setTrace(parts_, shown_, false);  // the parts on show are no longer clickable
    retrace();
}

void TTraceForm::partClicked(int id) {
    if (!parts_ || partsHeld_ != partsAsked_) return;
    lp::TogglePart(choice_, shown_, id);
    retrace();
}

void TTraceForm::resetParts() {
    choice_ = {};
    retrace();
}

void TTraceForm::placeBeside(const QRect& avoid) {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    constexpr int kFrame = 40;  // room left for the window's frame and caption
    const int x = std::max(room.left(), std::min(avoid.right() + 12, room.right() - width() - kFrame / 2));
    const int y = std::max(room.top(), std::min(avoid.top(), room.bottom() - height() - kFrame));
    move(x, y);
}

void TTraceForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    shown_ = lp::TraceResult();
    ui->BeamView->setTrace(nullptr, shown_, false);
    applyWhenReady_ = false;
    ui->ButtonApply->setEnabled(false);
    ui->LabelStatus->clear();
    retrace();
}

void TTraceForm::done(int result) {
    tracing_.drop();  // whatever still runs is dropped
    applyWhenReady_ = false;
    QDialog::done(result);
}

void TTraceForm::updateLabels() {
    const bool automatic = ui->CheckBoxAutoThreshold->isChecked();
    ui->SliderThreshold->setEnabled(!automatic);
    ui->LabelThreshold->setText(automatic ? tr("авто") : QString::number(ui->SliderThreshold->value()));
    ui->LabelSpeck->setText(Units(ui->SliderSpeck->value() / 2.0));
    ui->ButtonResetParts->setEnabled(!choice_.leftOut.empty() || !choice_.drawn.empty());
    const QSize size = picture_.image.size();
    ui->LabelPicture->setText(picture_.image.isNull() || picture_.hidden
                                  ? tr("Под полем нет картинки.")
                                  : tr("Обводится картинка под полем (%1 × %2) там, где она лежит.")
                                        .arg(size.width())
                                        .arg(size.height()));
    ui->ButtonShowPicture->setVisible(picture_.hidden && !picture_.image.isNull());
}

bool TTraceForm::makeJob(lp::TraceJob& job, QString& why) const {
    job.choice = choice_;
    job.choice.largest = ui->SpinLargest->value();
    if (parts_ && partsHeld_ == partsAsked_) job.found = parts_;
    if (mask_ && maskHeld_ == maskAsked_) job.mask = mask_;
    job.text = ui->TabSource->currentWidget() == ui->TabText;
    if (job.text) {
        job.line = ui->EditText->toPlainText();
        job.family = ui->FontText->currentFont().family();
        job.bold = ui->CheckBoxBold->isChecked();
        job.size = ui->SpinSize->value();
        return true;
    }
    if (picture_.image.isNull() || picture_.hidden) {
        why = tr("Нечего обводить: под полем нет картинки.");
        return false;
    }
    job.picture = picture_.image;
    job.area = picture_.area;
    job.options.mask.autoThreshold = ui->CheckBoxAutoThreshold->isChecked();
    job.options.mask.threshold = ui->SliderThreshold->value();
    static constexpr lp::Ink kInks[] = {lp::Ink::Auto, lp::Ink::Dark, lp::Ink::Light};
    job.options.mask.ink = kInks[std::clamp(ui->ComboInk->currentIndex(), 0, 2)];
    job.options.speckUnits = ui->SliderSpeck->value() / 2.0;
    job.options.mode = ui->RadioLines->isChecked()     ? lp::TraceOptions::Mode::Lines
                       : ui->RadioOutline->isChecked() ? lp::TraceOptions::Mode::Outline
                                                       : lp::TraceOptions::Mode::Auto;
    return true;
}

// Every change of an option: the newest request is traced as soon as the
// trace running finishes; what the older ones give is dropped.
void TTraceForm::retrace() {
    updateLabels();
    tracing_.drop();  // not traced if it has not begun; dropped either way
    current_ = false;
    if (!isVisible()) return;
    lp::TraceJob job;
    QString why;
    if (!makeJob(job, why)) {
        lp::TraceOutcome nothing;
        nothing.result.error = why;
        present(nothing);
        return;
    }
    tracing_.request(
        [job = std::move(job)](std::stop_token stop) {
            return stop.stop_requested() ? lp::TraceOutcome() : lp::RunTraceJob(job);
        },
        [this, parts = partsAsked_, mask = maskAsked_](const lp::TraceOutcome& outcome) {
            if (!isVisible()) return;
            partsHeld_ = parts;
            maskHeld_ = mask;
            mask_ = outcome.mask;
            present(outcome);
        });
    if (!shown_.ok && ui->LabelStatus->text().isEmpty()) ui->LabelStatus->setText(tr("Обвожу…"));
}

void TTraceForm::present(const lp::TraceOutcome& outcome) {
    shown_ = outcome.result;
    parts_ = outcome.parts;
    current_ = true;
    ui->LabelStatus->setText(StatusOf(outcome));
    ui->BeamView->setTrace(parts_, shown_, true);
    ui->ButtonApply->setEnabled(shown_.ok);
    emit resultChanged();
    if (applyWhenReady_) {
        applyWhenReady_ = false;
        if (shown_.ok) accept();
    }
}

// Taken at once when the result on show answers the options, otherwise as
// soon as the trace running for them ends.
void TTraceForm::applyClicked() {
    if (current_) {
        if (shown_.ok) accept();
        return;
    }
    applyWhenReady_ = true;
}
