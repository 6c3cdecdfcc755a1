#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "mortgage/SchedulePrint.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lumaro {

class ScheduleModel;
struct ScheduleEntry;

// "按揭咨询": the mortgage calculator. Restores its inputs when created and
// saves them however it closes. It may be made larger than designed; the grid
// takes the room.
class frmAJZX : public QDialog {
    Q_OBJECT
public:
    explicit frmAJZX(QWidget* owner = nullptr);
    ~frmAJZX() override;

    void Form_Load();
    void Command1_Click();
    void Command3_Click();
    void Form_Unload();

    // The grid's contents (the schedule table the computation fills).
    ScheduleModel& Schedule() const { return *model_; }

    // The selected cells as tab-separated text, one line per row; what Ctrl+C
    // and 复制 put on the clipboard.
    QString SelectedText() const;
    void CopySelection();
    // Saves the grid as CSV (the text of `lumaro-cli schedule --csv` behind a
    // UTF-8 byte-order mark, which spreadsheets on a Chinese desk need to read it
    // as UTF-8); false, with the file untouched, when it cannot be written.
    bool ExportCsv(const QString& path);
    // Prints the schedule shown, headed by the inputs it was computed from;
    // nothing before the first computation.
    void PrintSchedule(QPagedPaintDevice& device) const;

    // Every close (exit button, close box, Esc) passes here.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    ScheduleEntry ReadBoxes() const;
    void ShowRefusals();
    void MoveUnitToList();
    void BuildGridMenu();
    void ExportCsvInteractive();
    void PrintInteractive();
    void FitColumns();

    std::array<QLabel*, 5> Label1{};
    QLineEdit* txtDKJE = nullptr;
    QLineEdit* txtDKLL = nullptr;
    QLineEdit* txtDKQS = nullptr;
    QComboBox* cmbQS = nullptr;
    QComboBox* cmbHKFS = nullptr;
    QTableView* F1Book1 = nullptr;
    QFrame* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    ScheduleModel* model_ = nullptr;
    QAction* print_ = nullptr;
    std::array<int, 3> designedWidths_{};     // the least width of each column
    std::optional<ScheduleHeading> heading_;  // the inputs of the schedule shown
};

}  // namespace lumaro
