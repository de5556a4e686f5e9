#include "tracewin/traceform.h"

#include <QScreen>
#include <QShowEvent>
#include <algorithm>

#include "language/translations.h"
#include "ui_traceform.h"
#include "widgets/formstyle.h"

namespace {

QString Units(double value) {
    return TTraceForm::tr("%1 ед.").arg(InterfaceLocale().toString(value, 'f', 1));
}

QString StatusOf(const lp::TraceOutcome& outcome) {
    const lp::TraceResult& r = outcome.result;
    QString text;
    if (!r.ok) {
        text = r.error.isEmpty() ? TTraceForm::tr("Не удалось обвести") : r.error;
    } else {
        text = TTraceForm::tr("Контуров: %1, маршрут %2, мосты %3\nНаибольшее отклонение %4")
                   .arg(r.contours)
                   .arg(Units(r.routeLength), Units(r.bridgeLength), Units(r.worstDeviation));
        if (const QString left = lp::LeftOutSummary(r, false); !left.isEmpty())
            text += QLatin1Char('\n') + left;
        else if (r.detailLost)
            text += TTraceForm::tr("\n256 точек не вмещают всех деталей: показано лучшее, что из них вышло.");
    }
    if (!outcome.note.isEmpty()) text += QLatin1Char('\n') + outcome.note;
    return text;
}

}  // namespace

TTraceForm::TTraceForm(QWidget* parent) : QDialog(parent), ui(new Ui::TTraceForm) {
    ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("TraceForm"));
    setModal(true);

    auto retraceOn = [this](auto* sender, auto signal) {
        connect(sender, signal, this, &TTraceForm::retrace);
    };
    retraceOn(ui->TabSource, &QTabWidget::currentChanged);
    retraceOn(ui->CheckBoxAutoThreshold, &QCheckBox::toggled);
    retraceOn(ui->SliderThreshold, &QSlider::valueChanged);
    retraceOn(ui->ComboInk, &QComboBox::currentIndexChanged);
    retraceOn(ui->SliderSpeck, &QSlider::valueChanged);
    retraceOn(ui->RadioOutline, &QRadioButton::toggled);
    retraceOn(ui->RadioLines, &QRadioButton::toggled);
    retraceOn(ui->EditText, &QLineEdit::textChanged);
    retraceOn(ui->FontText, &QFontComboBox::currentFontChanged);
    retraceOn(ui->CheckBoxBold, &QCheckBox::toggled);
    retraceOn(ui->SpinSize, &QSpinBox::valueChanged);
    connect(ui->ButtonOpenPicture, &QPushButton::clicked, this, &TTraceForm::openPictureRequested);
    connect(ui->ButtonShowPicture, &QPushButton::clicked, this, &TTraceForm::showPictureRequested);
    connect(ui->ButtonApply, &QPushButton::clicked, this, &TTraceForm::applyClicked);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    updateLabels();
}

TTraceForm::~TTraceForm() = default;

void TTraceForm::setPicture(const Picture& picture) {
    picture_ = picture;
    updateLabels();
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
    const QSize size = picture_.image.size();
    ui->LabelPicture->setText(picture_.image.isNull() || picture_.hidden
                                  ? tr("Под полем нет картинки.")
                                  : tr("Обводится картинка под полем (%1 × %2) там, где она лежит.")
                                        .arg(size.width())
                                        .arg(size.height()));
    ui->ButtonShowPicture->setVisible(picture_.hidden && !picture_.image.isNull());
}

bool TTraceForm::makeJob(lp::TraceJob& job, QString& why) const {
    job.text = ui->TabSource->currentWidget() == ui->TabText;
    if (job.text) {
        job.line = ui->EditText->text();
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
        [this](const lp::TraceOutcome& outcome) {
            if (isVisible()) present(outcome);
        });
    if (!shown_.ok && ui->LabelStatus->text().isEmpty()) ui->LabelStatus->setText(tr("Обвожу…"));
}

void TTraceForm::present(const lp::TraceOutcome& outcome) {
    shown_ = outcome.result;
    current_ = true;
    ui->LabelStatus->setText(StatusOf(outcome));
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
