#pragma once

#include <QAbstractTableModel>

#include "mortgage/Schedule.h"

namespace lumaro {

// The calculator's grid contents: the schedule table the computation fills,
// shown by a view. Row headings are the row labels, column headings 本金,
// 利息, 应还款; every amount right-aligned as its cents text; read-only.
//
// A single write outside an Update tells the views at once; a whole schedule
// written inside an Update is announced as one reset when it ends, so 65 535
// rows cost no per-cell signals.
class ScheduleModel : public QAbstractTableModel, public MemoryScheduleTable {
    Q_OBJECT
public:
    explicit ScheduleModel(QObject* parent = nullptr);

    // Announces everything written while it lives as one model reset.
    class Update {
    public:
        explicit Update(ScheduleModel& model);
        ~Update();
        Update(const Update&) = delete;
        Update& operator=(const Update&) = delete;

    private:
        ScheduleModel& model_;
    };

    // The schedule table.
    void Clear() override;
    void SetRowCount(int rows) override;
    void SetRowLabel(int row, const std::string& label) override;
    void SetCell(int row, int column, const std::string& centsText) override;

    // The model.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A row's heading: its label, or its number while it has none (a fresh sheet).
    QString RowHeading(int row) const;

private:
    bool Batching() const { return updates_ > 0; }
    int updates_ = 0;
};

}  // namespace lumaro
