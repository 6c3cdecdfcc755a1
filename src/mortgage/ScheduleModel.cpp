#include "mortgage/ScheduleModel.h"

#include "ui/WindowKit.h"

namespace lumaro {

ScheduleModel::ScheduleModel(QObject* parent) : QAbstractTableModel(parent) {}

ScheduleModel::Update::Update(ScheduleModel& model) : model_(model) {
    if (model_.updates_++ == 0) model_.beginResetModel();
}

ScheduleModel::Update::~Update() {
    if (--model_.updates_ == 0) model_.endResetModel();
}

void ScheduleModel::Clear() {
    MemoryScheduleTable::Clear();
    if (!Batching() && RowCount() > 0) emit dataChanged(index(0, 0), index(RowCount() - 1, Columns - 1));
}

void ScheduleModel::SetRowCount(int rows) {
    // The table refuses a count it cannot hold and then must stay as it was,
    // so the reset brackets the attempt either way.
    Update update(*this);
    MemoryScheduleTable::SetRowCount(rows);
}

void ScheduleModel::SetRowLabel(int row, const std::string& label) {
    MemoryScheduleTable::SetRowLabel(row, label);
    if (!Batching()) emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
}

void ScheduleModel::SetCell(int row, int column, const std::string& centsText) {
    MemoryScheduleTable::SetCell(row, column, centsText);
    if (!Batching()) {
        const QModelIndex cell = index(row - 1, column - 1);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

int ScheduleModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : RowCount(); }

int ScheduleModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= RowCount() || index.column() >= Columns) return {};
    switch (role) {
    case Qt::DisplayRole:
        return ui::Q(CellText(index.row() + 1, index.column() + 1));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        static const char* const headings[Columns] = {"本金", "利息", "应还款"};
        if (section < 0 || section >= Columns) return {};
        return QString::fromUtf8(headings[section]);
    }
    if (section < 0 || section >= RowCount()) return {};
    return RowHeading(section + 1);
}

Qt::ItemFlags ScheduleModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString ScheduleModel::RowHeading(int row) const {
    const std::string& label = RowLabel(row);
    return label.empty() ? QString::number(row) : ui::Q(label);
}

}  // namespace lumaro
