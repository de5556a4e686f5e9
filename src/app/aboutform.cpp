#include "app/aboutform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QUrlQuery>
#include <QWindow>
#include <algorithm>

#include "files/regularfile.h"
#include "files/replacefile.h"
#include "ui_aboutform.h"
#include "widgets/dialogs.h"
#include "widgets/formstyle.h"

namespace {

const QString kProgramName = QStringLiteral("Laser Picture Editor");

const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0);

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent), ui(new Ui::TAboutForm) {
    lp::ApplyFormFont(this);
    ui->setupUi(this);
    setObjectName(QStringLiteral("AboutForm"));
    // A dialog border without a system menu: no close box in the title bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(299, 174);

    ui->Label4->setText(kProgramName + QStringLiteral(" " LASERPIC_VERSION ", ") +
                        tr("дек. 2026", "month and year of the release"));
    // The licence line is set a little narrower to stay clear of the picture.
    QFont narrow = font();
    narrow.setStretch(86);
    ui->Label3->setFont(narrow);
    for (QLabel* label : {ui->Label4, ui->Label1, ui->Label3, ui->Label2, ui->Label6})
        lp::SetLabelColour(label, Qt::black);
    fitLabels();
    ui->Label2->installEventFilter(this);
    ui->Label6->installEventFilter(this);
    ui->Bevel1->setFrameRect(QRect(0, ui->Bevel1->height() - 2, ui->Bevel1->width(), 2));  // bottom line only

    Q_INIT_RESOURCE(resources);
    ui->Image1->setDefaultPicture(QStringLiteral(":/about.jpg"));
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TAboutForm::BitBtn1Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TAboutForm::Timer1Timer);
    Timer1->start();
}

TAboutForm::~TAboutForm() = default;

// Each label as wide as the room to its right (up to the picture, the button
// or the separator's end), its text wrapped there when it is wider; a label
// moves down when the one above took more lines than its place holds.
void TAboutForm::fitLabels() {
    constexpr int kGap = 6;
    int below = 0;  // the bottom of the label above
    for (QLabel* label : {ui->Label4, ui->Label1, ui->Label3, ui->Label2, ui->Label6}) {
        const int top = std::max(label->y(), below + 4);
        const int twoLines = 2 * label->fontMetrics().height();
        int right = ui->Bevel1->geometry().right();
        for (const QWidget* other : {static_cast<QWidget*>(ui->Image1), static_cast<QWidget*>(ui->BitBtn1)})
            if (other->y() < top + twoLines && other->geometry().bottom() >= top)
                right = std::min(right, other->x() - kGap);
        const int width = right - label->x();
        label->setWordWrap(false);
        label->setWordWrap(label->sizeHint().width() > width);
        if (label->wordWrap())
            label->setGeometry(label->x(), top, width, label->heightForWidth(width));
        else
            label->setGeometry(QRect(QPoint(label->x(), top), label->sizeHint()));
        below = label->geometry().bottom();
    }
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui->BitBtn1->setFocus();
}

void TAboutForm::Timer1Timer() {
    ++titleFlips_;
    if (!isVisible()) return;  // nothing to see while hidden
    // The window manager draws the title bar here and offers no way to switch
    // its look; the nearest it offers is the attention request, set on every
    // other tick for one tick. Desktops show it while the dialog is not the
    // active window (an active window needs no attention).
    if (titleFlips_ % 2 == 1 && windowHandle()) windowHandle()->alert(Timer1->interval());
}

void TAboutForm::BitBtn1Click() {
    accept();
}

void TAboutForm::Label2MouseMove() {
    lp::SetLabelColour(ui->Label2, kRed);
}

void TAboutForm::Label6MouseMove() {
    lp::SetLabelColour(ui->Label6, kRed);
}

void TAboutForm::Label2MouseLeave() {
    lp::SetLabelColour(ui->Label2, kNavy);
}

void TAboutForm::Label6MouseLeave() {
    lp::SetLabelColour(ui->Label6, kNavy);
}

void TAboutForm::Label2Click() {
    openLink(ui->Label2, MailLink());
}

void TAboutForm::Label6Click() {
    openLink(ui->Label6, DocumentationLink());
}

void TAboutForm::openLink(QLabel* label, const QUrl& url) {
    lp::SetLabelColour(label, kGreen);
    lp::dialogs().openLink(this, url);  // the result is not examined; the dialog stays open
    lp::SetLabelColour(label, kGreen);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    const bool mail = watched == ui->Label2;
    if (!mail && watched != ui->Label6) return QDialog::eventFilter(watched, event);
    auto* label = static_cast<QLabel*>(watched);
    switch (event->type()) {
        case QEvent::MouseMove:
            mail ? Label2MouseMove() : Label6MouseMove();
            break;
        case QEvent::Leave:
            // A leave delivered while the dialog is being hidden is no move of the pointer.
            if (label->isVisible()) mail ? Label2MouseLeave() : Label6MouseLeave();
            break;
        // A click is a left press and release on the link; the second click
        // of a double click is none, so a double click opens the link once.
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) clickStartedOn_ = label;
            break;
        case QEvent::MouseButtonDblClick:
            clickStartedOn_ = nullptr;
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) break;
            const bool click =
                clickStartedOn_ == label && label->rect().contains(mouse->position().toPoint());
            clickStartedOn_ = nullptr;
            if (click) mail ? Label2Click() : Label6Click();
            break;
        }
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

QUrl TAboutForm::MailLink() {
    QUrl url(QStringLiteral("mailto:"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), kProgramName);
    url.setQuery(query);
    return url;
}

QString TAboutForm::ReadmePath(const QString& programDir) {
    const QString installed = QDir(programDir).filePath(QStringLiteral("../share/doc/laserpic/README.md"));
    if (QFileInfo(installed).isFile()) return QDir::cleanPath(installed);
    return QStringLiteral(LASERPIC_SOURCE_DIR "/README.md");
}

QUrl TAboutForm::DocumentationLink() {
    const QString readme = ReadmePath(QCoreApplication::applicationDirPath());
    // A Markdown file would go to whatever the desktop opens text with; as a
    // page it goes to the browser.
    lp::RegularFile source;
    QByteArray markdown;
    if (!source.open(readme) || !source.readAll(markdown, 1 << 20)) return QUrl::fromLocalFile(readme);
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(markdown));
    document.setMetaInformation(QTextDocument::DocumentTitle, kProgramName);
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString page = QDir(dir).filePath(QStringLiteral("README.html"));
    if (!QDir().mkpath(dir) || !lp::ReplaceFile(page, document.toHtml().toUtf8()))
        return QUrl::fromLocalFile(readme);
    return QUrl::fromLocalFile(page);
}
