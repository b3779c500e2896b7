// SPDX-License-Identifier: GPL-3.0-or-later
// List boxes and tables: rows the program fills at run time.
#include <QHeaderView>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "runtime/program_text.h"
#include "runtime/readback.h"
#include "runtime/registry.h"
#include "runtime/translation.h"
#include "ui/control_kinds.h"

namespace kvor::rt {
namespace {

// An item as wide as the box, never wider, so that a long line is cut where it has to be.
class BoxWideItems : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

// Items of a label and an i32 value; the value is that of the item picked. The operator's pick,
// by mouse, keys or an assistive tool, raises value changed, then commit. A line too long for
// the box is cut in its middle on the screen; its tooltip and its accessible text hold it whole.
class ListBox : public WidgetControl {
  public:
    ListBox(int panel, const ControlDef& def, QWidget* canvas) : WidgetControl(panel, def, canvas) {
        list_ = new QListWidget;
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setTextElideMode(Qt::ElideMiddle);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list_->setAlternatingRowColors(true); // items of several lines stay apart
        list_->setItemDelegate(new BoxWideItems(list_));
        QObject::connect(list_, &QListWidget::currentRowChanged, [this] {
            fire(EVENT_VAL_CHANGED);
            fire(EVENT_COMMIT);
        });
        finish(list_);
    }
    int setValue(const Value& value) override {
        ProgramSetting setting;
        const int wanted = ToInt(value);
        for (int row = 0; row < list_->count(); ++row)
            if (list_->item(row)->data(Qt::UserRole).toInt() == wanted) {
                list_->setCurrentRow(row);
                return 0;
            }
        return -1;
    }
    int getValue(Value* value) const override {
        const QListWidgetItem* item = list_->currentItem();
        *value = item == nullptr ? -1.0 : item->data(Qt::UserRole).toDouble();
        return 0;
    }
    int clearItems() override {
        ProgramSetting setting;
        list_->clear();
        return 0;
    }
    int insert(int index, const QString& label, int value) override {
        ProgramSetting setting;
        auto* item = new QListWidgetItem(label);
        item->setData(Qt::UserRole, value);
        item->setToolTip(label);
        QString spoken = label;
        item->setData(Qt::AccessibleTextRole,
                      spoken.replace(QLatin1Char('\n'), QLatin1String(", ")));
        list_->insertItem(index < 0 || index > list_->count() ? list_->count() : index, item);
        return list_->count();
    }

  private:
    QListWidget* list_;
};

// Text cells under the column and row headings the panel file names; read only.
class Table : public WidgetControl {
  public:
    Table(int panel, const ControlDef& def, QWidget* canvas) : WidgetControl(panel, def, canvas) {
        table_ = new QTableWidget(static_cast<int>(def.rowLabels.size()),
                                  static_cast<int>(def.columns.size()));
        table_->setHorizontalHeaderLabels(def.columns);
        table_->setVerticalHeaderLabels(def.rowLabels);
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        table_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        for (int row = 0; row < table_->rowCount(); ++row)
            for (int column = 0; column < table_->columnCount(); ++column)
                table_->setItem(row, column, new QTableWidgetItem);
        finish(table_);
    }
    QTableWidgetItem* cell(int row, int column) const { return table_->item(row, column); }
    int setCell(int row, int column, const QString& text) override {
        QTableWidgetItem* item = cell(row, column);
        if (item == nullptr) return -1;
        item->setText(Shown(text));
        return 0;
    }
    int setCellAttribute(int row, int column, int attribute, int value) override {
        QTableWidgetItem* item = cell(row, column);
        if (item == nullptr) return -1;
        switch (attribute) {
        case ATTR_TEXT_COLOR:
            item->setForeground(ToQColor(value));
            return 0;
        case ATTR_TEXT_BGCOLOR:
            item->setBackground(ToQColor(value));
            return 0;
        case ATTR_TEXT_BOLD: {
            QFont font = item->font();
            font.setBold(value != 0);
            item->setFont(font);
            return 0;
        }
        default:
            return -1;
        }
    }

  private:
    QTableWidget* table_;
};

template <typename Kind> Kind* Find(int panel, int control) {
    return dynamic_cast<Kind*>(FindControl(panel, control));
}

} // namespace

std::unique_ptr<Control> MakeListControl(int panel, const ControlDef& def, QWidget* canvas) {
    if (def.kind == QLatin1String("list box")) return std::make_unique<ListBox>(panel, def, canvas);
    if (def.kind == QLatin1String("table")) return std::make_unique<Table>(panel, def, canvas);
    return nullptr;
}

} // namespace kvor::rt

using namespace kvor::rt;

namespace {

QTableWidgetItem* Cell(int panel, int control, int row, int column) {
    const Table* table = Find<Table>(panel, control);
    return table == nullptr ? nullptr : table->cell(row, column);
}

} // namespace

int GetTableCellVal(int panel, int control, int row, int column, char* text, std::size_t size) {
    const QTableWidgetItem* cell = Cell(panel, control, row, column);
    if (cell == nullptr) return -1;
    CopyOut(cell->text(), text, size);
    return 0;
}

int GetTableCellAttribute(int panel, int control, int row, int column, int attribute, int* value) {
    const QTableWidgetItem* cell = Cell(panel, control, row, column);
    if (cell == nullptr || value == nullptr) return -1;
    switch (attribute) {
    case ATTR_TEXT_COLOR:
        *value = FromQColor(cell->foreground().color());
        return 0;
    case ATTR_TEXT_BGCOLOR:
        *value =
            cell->background().style() == Qt::NoBrush ? -1 : FromQColor(cell->background().color());
        return 0;
    case ATTR_TEXT_BOLD:
        *value = cell->font().bold() ? 1 : 0;
        return 0;
    default:
        return -1;
    }
}
