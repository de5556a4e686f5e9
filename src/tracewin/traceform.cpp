#include "tracewin/traceform.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QShowEvent>
#include <algorithm>

#include "language/translations.h"
#include "trace/ink/mask.h"
#include "trace/parts/partpick.h"
#include "trace/route/routeparts.h"
#include "tracewin/traceplace.h"
#include "tracewin/tracestatus.h"
#include "ui_traceform.h"
#include "widgets/dialogs.h"
#include "widgets/formstyle.h"

TTraceForm::TTraceForm(QWidget* parent) : QDialog(parent), ui(new Ui::TTraceForm) {
    lp::ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("TraceForm"));
    setModal(true);
    setMinimumSize(lp::TraceFormSize(*ui, lp::kLeastTracePreview));

    auto findOn = [this](auto* sender, auto signal, int which) {
        connect(sender, signal, this, [this, which] { findAgain(which); });
    };
    connect(ui->TabSource, &QTabWidget::currentChanged, this, &TTraceForm::retrace);
    findOn(ui->ComboPlace, &QComboBox::currentIndexChanged, kPicture);
    findOn(ui->CheckBoxAutoThreshold, &QCheckBox::toggled, kPicture);
    findOn(ui->SliderThreshold, &QSlider::valueChanged, kPicture);
    findOn(ui->ComboInk, &QComboBox::currentIndexChanged, kPicture);
    findOn(ui->SliderSpeck, &QSlider::valueChanged, kPicture);
    findOn(ui->RadioOutline, &QRadioButton::toggled, kPicture);
    findOn(ui->RadioLines, &QRadioButton::toggled, kPicture);
    findOn(ui->EditText, &QPlainTextEdit::textChanged, kText);
    findOn(ui->FontText, &QFontComboBox::currentFontChanged, kText);
    findOn(ui->CheckBoxBold, &QCheckBox::toggled, kText);
    connect(ui->SpinSize, &QSpinBox::valueChanged, this, &TTraceForm::sizeChanged);
    connect(ui->SpinLargest, &QSpinBox::valueChanged, this, &TTraceForm::retrace);
    connect(ui->BeamView, &lp::TBeamView::partClicked, this, &TTraceForm::partClicked);
    connect(ui->BeamView, &lp::TBeamView::partHovered, this, &TTraceForm::showPartName);
    connect(ui->BeamView, &lp::TBeamView::frameDrawn, this, &TTraceForm::frameDrawn);
    connect(ui->BeamView, &lp::TBeamView::frameCleared, this, &TTraceForm::resetParts);
    connect(ui->CheckBoxShowPicture, &QCheckBox::toggled, this, &TTraceForm::updateView);
    connect(ui->ButtonResetParts, &QPushButton::clicked, this, &TTraceForm::resetParts);
    connect(ui->ButtonOpenPicture, &QPushButton::clicked, this, &TTraceForm::openPictureRequested);
    connect(ui->ButtonShowPicture, &QPushButton::clicked, this, &TTraceForm::showPictureRequested);
    connect(ui->ButtonApply, &QPushButton::clicked, this, &TTraceForm::applyClicked);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter starts a new line of text and confirms a number; Ctrl+Enter
    // applies wherever the focus is.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &TTraceForm::applyClicked);
    ui->SpinLargest->installEventFilter(this);
    ui->SpinSize->installEventFilter(this);
    updateLabels();
}

TTraceForm::~TTraceForm() = default;

int TTraceForm::tab() const {
    return ui->TabSource->currentWidget() == ui->TabText ? kText : kPicture;
}

void TTraceForm::setPicture(const Picture& picture) {
    const bool same = picture.image.cacheKey() == picture_.image.cacheKey() &&
                      picture.area == picture_.area && picture.hidden == picture_.hidden;
    picture_ = picture;
    if (same) {
        retrace();
        return;
    }
    frame_ = {};
    findAgain(kPicture);
}

void TTraceForm::findAgain(int which) {
    Source& source = sources_[size_t(which)];
    source.partsCurrent = false;
    source.choice = {};
    if (which == tab()) ui->BeamView->setTrace(source.parts, shown_, false);  // no longer clickable
    retrace();
}

// The size is the text's and, fitted, the picture's.
void TTraceForm::sizeChanged() {
    if (ui->ComboPlace->currentIndex() == 1) findAgain(kPicture);
    findAgain(kText);
}

void TTraceForm::partClicked(int id, bool alone) {
    Source& source = sources_[size_t(tab())];
    if (!source.parts || !source.partsCurrent) return;
    if (alone)
        lp::KeepOnlyPart(source.choice, *source.parts, id);
    else
        lp::TogglePart(source.choice, shown_, id);
    retrace();
}

// A rectangle dragged on the preview: only what lies in it is traced.
void TTraceForm::frameDrawn(const QRectF& onField) {
    if (tab() != kPicture || picture_.image.isNull()) return;
    const QRectF frame = pictureToField_.inverted().mapRect(onField) & QRectF(picture_.image.rect());
    if (frame.width() < 1 || frame.height() < 1) return;
    frame_ = frame;
    findAgain(kPicture);
}

void TTraceForm::resetParts() {
    if (tab() == kPicture && !frame_.isEmpty()) {
        frame_ = {};
        findAgain(kPicture);
        return;
    }
    sources_[size_t(tab())].choice = {};
    retrace();
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

// Enter in a number field confirms the number there and goes no further.
bool TTraceForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & Qt::ControlModifier)) {
            auto* spin = static_cast<QAbstractSpinBox*>(watched);
            spin->interpretText();
            spin->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TTraceForm::done(int result) {
    tracing_.drop();  // whatever still runs is dropped
    applyWhenReady_ = false;
    QDialog::done(result);
}

void TTraceForm::updateLabels() {
    const bool automatic = ui->CheckBoxAutoThreshold->isChecked();
    ui->SliderThreshold->setEnabled(!automatic);
    ui->LabelThreshold->setText(QString::number(ui->SliderThreshold->value()));
    ui->LabelSpeck->setText(
        tr("%1 ед.").arg(lp::InterfaceLocale().toString(ui->SliderSpeck->value() / 2.0, 'f', 1)));
    const bool picture = tab() == kPicture;
    const Source& source = sources_[size_t(tab())];
    ui->ButtonResetParts->setEnabled(!source.choice.leftOut.empty() || !source.choice.drawn.empty() ||
                                     (picture && !frame_.isEmpty()));
    ui->SpinSize->setEnabled(!picture || ui->ComboPlace->currentIndex() == 1);
    ui->CheckBoxShowPicture->setEnabled(picture);
    const QSize size = picture_.image.size();
    const bool none = picture_.image.isNull() || picture_.hidden;
    ui->LabelPicture->setText(none ? tr("Под полем нет картинки.")
                              : ui->ComboPlace->currentIndex() == 1
                                  ? tr("Обводится картинка под полем (%1 × %2), вписанная в поле.")
                                        .arg(size.width())
                                        .arg(size.height())
                                  : tr("Обводится картинка под полем (%1 × %2) там, где она лежит.")
                                        .arg(size.width())
                                        .arg(size.height()));
    ui->ButtonShowPicture->setVisible(picture_.hidden && !picture_.image.isNull());
}

// The picture faintly under the route and the frame, as the picture tab places them.
void TTraceForm::updateView() {
    const bool picture = tab() == kPicture && !picture_.image.isNull() && !picture_.hidden;
    ui->BeamView->setPicture(picture_.image, pictureToField_,
                             picture && ui->CheckBoxShowPicture->isChecked());
    ui->BeamView->setFrame(picture ? pictureToField_.mapRect(frame_) : QRectF(), picture);
}

void TTraceForm::showPartName(int id) {
    const Source& source = sources_[size_t(tab())];
    ui->LabelPart->setText(id >= 0 && source.parts ? lp::PartDescription(*source.parts, shown_, id)
                                                   : QString());
}

bool TTraceForm::makeRequest(lp::TraceRequest& request, QString& why) const {
    request.choice = sources_[size_t(tab())].choice;
    request.choice.largest = ui->SpinLargest->value();
    request.text = tab() == kText;
    request.size = ui->SpinSize->value();
    if (request.text) {
        request.line = ui->EditText->toPlainText();
        request.family = ui->FontText->currentFont().family();
        request.bold = ui->CheckBoxBold->isChecked();
        return true;
    }
    if (picture_.image.isNull() || picture_.hidden) {
        why = tr("Нечего обводить: под полем нет картинки.");
        return false;
    }
    request.picture = picture_.image;
    request.placement = ui->ComboPlace->currentIndex() == 1 ? lp::TracePlacement::Fit(request.size)
                                                            : lp::TracePlacement::InPlace(picture_.area);
    request.frame = frame_;
    request.options.mask.autoThreshold = ui->CheckBoxAutoThreshold->isChecked();
    request.options.mask.threshold = ui->SliderThreshold->value();
    request.options.mask.ink = lp::InkChoice(ui->ComboInk->currentIndex());
    request.options.speckUnits = ui->SliderSpeck->value() / 2.0;
    request.options.mode = lp::TraceModeOf(ui->RadioLines->isChecked(), ui->RadioOutline->isChecked());
    return true;
}

// Every change of an option: the newest request is traced as soon as the
// trace running finishes or stops, asked to; what the older ones give is dropped.
void TTraceForm::retrace() {
    updateLabels();
    tracing_.drop();
    current_ = false;
    if (!isVisible()) return;
    lp::TraceRequest request;
    QString why;
    if (!makeRequest(request, why)) {
        lp::TraceOutcome nothing;
        nothing.result.error = why;
        present(tab(), nothing);
        return;
    }
    // The session traces on a copy: the one of the newest request is kept.
    const int which = tab();
    tracing_.request(
        [session = sources_[size_t(which)].session, request = std::move(request)](std::stop_token stop) {
            lp::TraceSession traced = session;
            traced.trace(request, stop);
            return traced;
        },
        [this, which](const lp::TraceSession& traced) {
            if (!isVisible()) return;
            Source& held = sources_[size_t(which)];
            held.session = traced;
            held.partsCurrent = true;
            present(which, traced.outcome());
        });
    if (!shown_.ok && ui->LabelStatus->text().isEmpty()) ui->LabelStatus->setText(tr("Обвожу…"));
}

void TTraceForm::present(int which, const lp::TraceOutcome& outcome) {
    shown_ = outcome.result;
    sources_[size_t(which)].parts = outcome.parts;
    current_ = true;
    if (which == kPicture) {
        // The automatic threshold on the slider: unticked, the trace goes on from it.
        if (outcome.mask && ui->CheckBoxAutoThreshold->isChecked()) {
            const QSignalBlocker quiet(ui->SliderThreshold);
            ui->SliderThreshold->setValue(outcome.mask->threshold);
            updateLabels();
        }
        if (shown_.ok)
            pictureToField_ = outcome.pictureToParts * shown_.partsToField;
        else if (ui->ComboPlace->currentIndex() == 0 && !picture_.image.isNull())
            pictureToField_ = QTransform::fromScale(picture_.area.width() / picture_.image.width(),
                                                    picture_.area.height() / picture_.image.height()) *
                              QTransform::fromTranslate(picture_.area.left(), picture_.area.top());
    }
    ui->LabelStatus->setText(lp::TraceStatus(outcome));
    ui->BeamView->setTrace(outcome.parts, shown_, true);
    updateView();
    ui->ButtonApply->setEnabled(shown_.ok);
    emit resultChanged();
    if (applyWhenReady_) {
        applyWhenReady_ = false;
        acceptIfSafe();
    }
}

// Taken at once when the result on show answers the options, otherwise as
// soon as the trace running for them ends.
void TTraceForm::applyClicked() {
    if (current_)
        acceptIfSafe();
    else
        applyWhenReady_ = true;
}

// A beam that would nearly stand still is made the figure only when the user says so.
void TTraceForm::acceptIfSafe() {
    if (!shown_.ok) return;
    if (shown_.nearlyStill) {
        const lp::Coords x = shown_.X, y = shown_.Y;
        const auto answer = lp::dialogs().message(
            this, QMessageBox::Warning, lp::NearlyStillWarning() + tr("\n\nВсё равно сделать это фигурой?"),
            QMessageBox::Yes | QMessageBox::No, QString(), QMessageBox::No);
        if (answer != QMessageBox::Yes || !current_ || shown_.X != x || shown_.Y != y) return;
    }
    accept();
}

void TTraceForm::placeBeside(const QRect& field, const QRect& preview) {
    const QRect spot = lp::TraceFormSpot(*this, *ui, field, preview, placed_);
    if (spot.isNull()) return;
    if (!placed_) resize(spot.size());
    move(spot.topLeft());
    placed_ = true;
}

void TTraceForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    lp::LayOutTraceForm(*ui, size());
}
