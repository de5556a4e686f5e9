// The "Выбор порта" radio group of the device windows: its items in columns,
// one of them selected. A right click opens a menu of the serial ports the
// system lists, to put one behind the selected COM item; each item's tooltip
// names the device it opens.
#pragma once

#include <QList>
#include <QStringList>

#include "widgets/etchedgroupbox.h"

class QMenu;
class QRadioButton;

namespace lp {

class PortRadioGroup : public EtchedGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
  public:
    explicit PortRadioGroup(QWidget* parent = nullptr);

    QStringList items() const;
    void setItems(const QStringList& items);
    int columns() const { return columns_; }
    void setColumns(int columns);
    int itemIndex() const;  // -1 when none is selected
    void setItemIndex(int index);
    QRadioButton* button(int index) const { return buttons_.value(index); }

    // The port menu for the item (the selected one for -1); the caller owns it.
    QMenu* createPortMenu(int item = -1);
    // Tooltips after a change of the mapping.
    void refreshTips();

  signals:
    // Another item was selected, by the user or by setItemIndex.
    void itemIndexChanged(int index);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void arrange();
    QList<QRadioButton*> buttons_;
    int columns_ = 1;
    int pendingIndex_ = -1;
};

}  // namespace lp
