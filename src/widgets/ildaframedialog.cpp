#include "widgets/ildaframedialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "widgets/formstyle.h"

namespace lp {

IldaFrameDialog::IldaFrameDialog(const QList<lp::IldaFrameInfo>& frames, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("IldaFrameDialog"));
    setWindowTitle(tr("Выбор кадра ILDA"));
    ApplyFormFont(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Кадров в файле: %1. Какой импортировать?").arg(frames.size())));

    list = new QTreeWidget;
    list->setObjectName(QStringLiteral("Frames"));
    list->setHeaderLabels({tr("Кадр"), tr("Имя"), tr("Точек")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(frames.size());
    for (const lp::IldaFrameInfo& frame : frames) {
        auto* row = new QTreeWidgetItem(
            {QString::number(frame.number), frame.name, QString::number(frame.pointCount)});
        row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        rows.append(row);
    }
    list->addTopLevelItems(rows);
    list->header()->resizeSection(0, 50);
    list->header()->resizeSection(1, 110);
    if (!rows.isEmpty()) list->setCurrentItem(rows.constFirst());
    layout->addWidget(list);
    connect(list, &QTreeWidget::itemActivated, this, &QDialog::accept);  // double click or Enter

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(300, 260);
    list->setFocus();
}

int IldaFrameDialog::chosen() const {
    return list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
}

int ChooseIldaFrame(QWidget* parent, const QList<lp::IldaFrameInfo>& frames) {
    IldaFrameDialog dialog(frames, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
}

}  // namespace lp
