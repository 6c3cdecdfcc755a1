#include "mortgage/frmAJZX.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <algorithm>
#include <string>
#include <vector>

#include "config/Failure.h"
#include "config/Numbers.h"
#include "config/mdlINI.h"
#include "mortgage/ScheduleBoxes.h"
#include "mortgage/ScheduleModel.h"
#include "ui/BoxRefusal.h"
#include "ui/SaveDialog.h"
#include "ui/TextBoxes.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

using ui::Q;
using ui::S;
using ui::TwipsRect;

const std::string kSection = "按揭咨询";
const std::string kKeyRate = "贷款利率";
const std::string kKeyUnit = "贷款期数";
const std::string kKeyMethod = "还款方式";

// The sheet as designed: this many empty numbered rows of 255 twips, the
// grid's font, and the column widths in characters of that font.
constexpr int kDesignRows = 9;
constexpr int kDesignRowTwips = 255;
constexpr int kScheduleRowTwips = 280;
constexpr int kColumnChars[ScheduleTable::Columns] = {11, 11, 12};

// The grid's place in the window as designed, which is the least it takes.
QRect GridPlace() { return TwipsRect(30, 1560, 3765, 2535); }

// 宋体 9 pt. Where it is missing, the monospaced WenQuanYi face stands in
// ahead of the general substitutes: its digits have 宋体's width, so the
// designed columns hold their amounts and the grid needs no sideways scrolling.
QFont GridFont() {
    QFont font(QStringLiteral("宋体"), 9);
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei Mono")});
    return font;
}

// The stored rate in its ordinary text form; a stored text that is no
// number in range (hand-edited "1e999") shows as 0, like a missing one.
QString StoredRate(const std::string& stored) {
    try {
        return Q(NumberText(Val(stored)));
    } catch (const std::exception&) {
        return QStringLiteral("0");
    }
}

// A stored list position; the lists have two items, so anything outside
// -1..1 (hand-edited, or beyond the integer range) falls back to the first.
int StoredPosition(const std::string& stored) {
    try {
        const int position = CInt(Val(stored));
        if (position >= -1 && position <= 1) return position;
    } catch (const std::exception&) {
    }
    return 0;
}

}  // namespace

frmAJZX::frmAJZX(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAJZX"));
    setWindowTitle(QStringLiteral("按揭咨询"));
    ui::MakeResizableDialog(this, 3795, 4095);
    setFont(GridFont());
    BuildControls();
    BuildGridMenu();
    Form_Load();
}

frmAJZX::~frmAJZX() = default;

void frmAJZX::BuildControls() {
    // Created in tab order; the labels take no focus.
    const auto label = [this](int i, const char* caption, QRect where) {
        Label1[i] = new QLabel(QString::fromUtf8(caption), this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setGeometry(where);
    };
    const auto textBox = [this](const char* name, QRect where) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(where);
        return box;
    };
    const auto list = [this](const char* name, QStringList items, QRect where) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->addItems(items);
        box->setGeometry(where);
        return box;
    };

    label(0, "贷款金额：", TwipsRect(90, 180, 900, 180));
    txtDKJE = textBox("txtDKJE", TwipsRect(990, 120, 1455, 300));
    label(1, "月 利 率：", TwipsRect(90, 510, 900, 180));
    txtDKLL = textBox("txtDKLL", TwipsRect(990, 450, 1245, 300));
    label(2, "％", TwipsRect(2280, 510, 180, 180));
    label(3, "贷款期数：", TwipsRect(90, 870, 900, 180));
    txtDKQS = textBox("txtDKQS", TwipsRect(990, 810, 975, 300));
    for (QLineEdit* box : {txtDKJE, txtDKLL, txtDKQS}) ui::KeepInBox(box, ui::BoxText::Number);
    label(4, "还款方式：", TwipsRect(90, 1260, 900, 180));
    cmbHKFS = list("cmbHKFS", {QStringLiteral("等额法"), QStringLiteral("递减法")}, TwipsRect(1020, 1200, 1485, 300));

    F1Book1 = new QTableView(this);
    F1Book1->setObjectName(QStringLiteral("F1Book1"));
    F1Book1->setGeometry(GridPlace());
    F1Book1->setFont(GridFont());
    model_ = new ScheduleModel(this);
    model_->SetRowCount(kDesignRows);
    for (int row = 1; row <= kDesignRows; ++row) model_->SetRowLabel(row, std::to_string(row));
    F1Book1->setModel(model_);
    F1Book1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    F1Book1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    F1Book1->setSelectionBehavior(QAbstractItemView::SelectItems);
    F1Book1->setTabKeyNavigation(false);
    F1Book1->setWordWrap(false);
    QHeaderView* rows = F1Book1->verticalHeader();
    rows->setMinimumSectionSize(ui::TwipsY(120));
    rows->setDefaultSectionSize(ui::TwipsY(kDesignRowTwips));
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = F1Book1->horizontalHeader();
    columns->setHighlightSections(true);
    // A character is the wider of the font's average and its digit: a stand-in
    // for 宋体 with proportional digits must still show "103279.68" whole.
    const QFontMetrics metrics(GridFont());
    const int charWidth = std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char('0')));
    for (int c = 0; c < ScheduleTable::Columns; ++c) {
        designedWidths_[c] = kColumnChars[c] * charWidth;
        F1Book1->setColumnWidth(c, designedWidths_[c]);
    }
    F1Book1->installEventFilter(this);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(TwipsRect(2550, 30, 1185, 1485));
    Command1 = new QPushButton(QStringLiteral("计算(&C)"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(90, 180, 1035, 375));
    Command3 = new QPushButton(QStringLiteral("退出(&E)"), Frame1);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(TwipsRect(90, 1020, 1035, 375));

    cmbQS = list("cmbQS", {QStringLiteral("月"), QStringLiteral("年")}, TwipsRect(1980, 810, 540, 300));

    setTabOrder(txtDKJE, txtDKLL);
    setTabOrder(txtDKLL, txtDKQS);
    setTabOrder(txtDKQS, cmbHKFS);
    setTabOrder(cmbHKFS, F1Book1);
    setTabOrder(F1Book1, Command1);
    setTabOrder(Command1, Command3);
    setTabOrder(Command3, cmbQS);

    // A box refuses what it cannot take as a number as soon as it holds it, where the clerk looks.
    for (QLineEdit* box : {txtDKJE, txtDKLL, txtDKQS}) connect(box, &QLineEdit::textChanged, this, &frmAJZX::ShowRefusals);
    connect(cmbQS, &QComboBox::currentIndexChanged, this, &frmAJZX::ShowRefusals);
    txtDKQS->installEventFilter(this);

    connect(Command1, &QPushButton::clicked, this, &frmAJZX::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmAJZX::Command3_Click);
}

void frmAJZX::BuildGridMenu() {
    auto* copy = new QAction(QStringLiteral("复制(&C)"), F1Book1);
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &frmAJZX::CopySelection);

    auto* selectAll = new QAction(QStringLiteral("全选(&A)"), F1Book1);
    selectAll->setObjectName(QStringLiteral("actSelectAll"));
    selectAll->setShortcut(QKeySequence::SelectAll);
    selectAll->setShortcutContext(Qt::WidgetShortcut);
    connect(selectAll, &QAction::triggered, F1Book1, &QTableView::selectAll);

    auto* separator = new QAction(F1Book1);
    separator->setSeparator(true);

    auto* exportCsv = new QAction(QStringLiteral("导出CSV(&S)…"), F1Book1);
    exportCsv->setObjectName(QStringLiteral("actExportCsv"));
    connect(exportCsv, &QAction::triggered, this, &frmAJZX::ExportCsvInteractive);

    // Ctrl+P anywhere in the window; there is something to print once a schedule is computed.
    print_ = new QAction(QStringLiteral("打印(&P)…"), F1Book1);
    print_->setObjectName(QStringLiteral("actPrint"));
    print_->setShortcut(QKeySequence::Print);
    print_->setShortcutContext(Qt::WindowShortcut);
    print_->setEnabled(false);
    connect(print_, &QAction::triggered, this, &frmAJZX::PrintInteractive);

    F1Book1->addActions({copy, selectAll, separator, exportCsv, print_});
    F1Book1->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void frmAJZX::Form_Load() {
    setWindowIcon(ui::OwnerIcon(this));

    txtDKLL->setText(StoredRate(ReadIniString(ConfigFilePath, kSection, kKeyRate)));
    cmbQS->setCurrentIndex(StoredPosition(ReadIniString(ConfigFilePath, kSection, kKeyUnit)));
    cmbHKFS->setCurrentIndex(StoredPosition(ReadIniString(ConfigFilePath, kSection, kKeyMethod)));

    // The sample figures of the designed sheet go; the headings stay.
    model_->Clear();
}

ScheduleEntry frmAJZX::ReadBoxes() const {
    return ReadScheduleBoxes(S(txtDKJE->text()), S(txtDKLL->text()), S(txtDKQS->text()), cmbQS->currentIndex(),
                             cmbHKFS->currentIndex());
}

void frmAJZX::ShowRefusals() {
    const ScheduleEntry entry = ReadBoxes();
    QLineEdit* const boxes[] = {txtDKJE, txtDKLL, txtDKQS};
    for (std::size_t i = 0; i < entry.boxes.size(); ++i) ui::SetBoxRefusal(boxes[i], Q(entry.boxes[i].refusal));
}

// "30年" in the periods box is 30 with the unit list at 年: the unit goes where it can be seen and changed.
void frmAJZX::MoveUnitToList() {
    const BoxReading periods = ReadPeriodsBox(S(txtDKQS->text()), cmbQS->currentIndex());
    if (!periods.accepted || periods.unit < 0) return;
    txtDKQS->setText(Q(NumberText(periods.value)));
    cmbQS->setCurrentIndex(periods.unit);
}

void frmAJZX::Command1_Click() {
    // A box whose text is no number is not computed as some other number: it keeps its text and says why.
    MoveUnitToList();
    ShowRefusals();
    const ScheduleEntry entry = ReadBoxes();
    if (!entry.Accepted()) {
        QLineEdit* boxes[] = {txtDKJE, txtDKLL, txtDKQS};
        for (std::size_t i = 0; i < entry.boxes.size(); ++i)
            if (!entry.boxes[i].accepted) {
                boxes[i]->setFocus(Qt::OtherFocusReason);
                break;
            }
        return;
    }
    // One unit of work: a step that fails is skipped, nothing is ever shown.
    SuppressedSteps steps;
    const ScheduleInputs& inputs = entry.inputs;
    steps.Run([&] {
        ScheduleModel::Update update(*model_);
        ComputeSchedule(inputs, *model_);
    });
    steps.Run([&] { F1Book1->verticalHeader()->setDefaultSectionSize(ui::TwipsY(kScheduleRowTwips)); });
    steps.Run([&] { FitColumns(); });
    // The totals row (row n + 1) ends selected, and in view.
    steps.Run([&] {
        const int totals = CLng(inputs.DKQS) + 1;
        if (totals < 1 || totals > model_->RowCount()) throw errors::OutOfRange();
        const QItemSelection row(model_->index(totals - 1, 0), model_->index(totals - 1, ScheduleTable::Columns - 1));
        F1Book1->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
        F1Book1->doItemsLayout();  // the scroll range of the new rows, before scrolling in it
        F1Book1->scrollTo(row.indexes().front());
    });
    // What a printout is headed by: the inputs as they were read.
    steps.Run([&] {
        const bool years = cmbQS->currentIndex() == 1;
        heading_ = ScheduleHeading{
            Q(NumberText(inputs.DKJE)), Q(NumberText(inputs.DKLL * 100)),
            Q(NumberText(years ? inputs.DKQS / 12 : inputs.DKQS)) + (years ? QStringLiteral(" 年") : QStringLiteral(" 月")),
            inputs.HKFS == 0 ? QStringLiteral("等额法") : QStringLiteral("递减法"), QDate::currentDate()};
        print_->setEnabled(true);
    });
}

// Each column as wide as its widest figure, never narrower than designed. A
// figure's width is the sum of its characters' (digits do not kern), so only
// the widest cell of a column is laid out by the grid's delegate.
void frmAJZX::FitColumns() {
    const QFontMetrics metrics(F1Book1->font());
    std::array<int, 128> advance{};
    for (char c : std::string_view("0123456789.-")) advance[static_cast<unsigned char>(c)] = metrics.horizontalAdvance(QLatin1Char(c));
    QStyleOptionViewItem option;
    option.initFrom(F1Book1);
    option.font = F1Book1->font();
    const int gridLine = F1Book1->showGrid() ? 1 : 0;
    for (int column = 1; column <= ScheduleTable::Columns; ++column) {
        int widestRow = 0, widest = -1;
        for (int row = 1; row <= model_->RowCount(); ++row) {
            int width = 0;
            for (char c : model_->CellText(row, column)) width += advance[static_cast<unsigned char>(c) & 0x7F];
            if (width > widest) widest = width, widestRow = row;
        }
        int needed = 0;
        if (widestRow > 0) {
            const QModelIndex cell = model_->index(widestRow - 1, column - 1);
            needed = F1Book1->itemDelegateForIndex(cell)->sizeHint(option, cell).width() + gridLine;
        }
        F1Book1->setColumnWidth(column - 1, std::max(designedWidths_[column - 1], needed));
    }
}

void frmAJZX::Command3_Click() { reject(); }

void frmAJZX::Form_Unload() {
    // A refused rate would read back as some other number next time: the last good one stays.
    if (ReadRateBox(S(txtDKLL->text())).accepted) WriteIniString(ConfigFilePath, kSection, kKeyRate, S(txtDKLL->text()));
    WriteIniString(ConfigFilePath, kSection, kKeyUnit, std::to_string(cmbQS->currentIndex()));
    WriteIniString(ConfigFilePath, kSection, kKeyMethod, std::to_string(cmbHKFS->currentIndex()));
}

void frmAJZX::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

QString frmAJZX::SelectedText() const {
    const QModelIndexList cells = F1Book1->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) return {};
    int top = cells.front().row(), bottom = top, left = cells.front().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    // The bounding block of the selection under its headings, each row after its period number (or 合计), as the
    // CSV has them; cells inside the block not selected stay empty.
    const int width = right - left + 1;
    std::vector<QString> block(static_cast<size_t>(bottom - top + 2) * (width + 1));
    const auto at = [&](int line, int field) -> QString& { return block[static_cast<size_t>(line) * (width + 1) + field]; };
    at(0, 0) = QStringLiteral("期数");
    for (int column = left; column <= right; ++column)
        at(0, column - left + 1) = model_->headerData(column, Qt::Horizontal).toString();
    for (int row = top; row <= bottom; ++row) at(row - top + 1, 0) = model_->headerData(row, Qt::Vertical).toString();
    for (const QModelIndex& cell : cells) at(cell.row() - top + 1, cell.column() - left + 1) = cell.data().toString();
    QString text;
    for (size_t i = 0; i < block.size(); ++i) {
        text += block[i];
        text += (i + 1) % (width + 1) == 0 ? QLatin1Char('\n') : QLatin1Char('\t');
    }
    return text;
}

void frmAJZX::CopySelection() {
    const QString text = SelectedText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

bool frmAJZX::ExportCsv(const QString& path) {
    const std::string csv = "\xEF\xBB\xBF" + ScheduleCsv(*model_);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void frmAJZX::ExportCsvInteractive() {
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("按揭还款表.csv"));
    const QString path = ui::AskSavePath(this, QStringLiteral("导出CSV"), suggested,
                                         QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)"));
    if (path.isEmpty()) return;
    if (ExportCsv(path))
        ui::MsgBox(this, QStringLiteral("还款表已保存到：\n%1").arg(QDir::toNativeSeparators(path)),
                   QStringLiteral("导出CSV"), ui::MsgIcon::Information);
    else
        ui::MsgBox(this, QStringLiteral("无法保存文件“%1”。").arg(QDir::toNativeSeparators(path)),
                   QStringLiteral("导出CSV"), ui::MsgIcon::Warning);
}

void frmAJZX::PrintSchedule(QPagedPaintDevice& device) const {
    if (heading_) lumaro::PrintSchedule(device, *model_, *heading_);
}

void frmAJZX::PrintInteractive() {
    if (!heading_) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("按揭还款表"));
    printer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("打印预览 - 按揭还款表"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintSchedule(*target); });
    // A page readable at a glance, most of the screen's height, and every tool of the bar in view.
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        preview.resize(std::min(room.width(), std::max(preview.sizeHint().width(), room.height() * 3 / 4)),
                       room.height() * 9 / 10);
    }
    preview.exec();
}

void frmAJZX::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The grid keeps its place and takes what the window grows by.
    const QRect designed = GridPlace();
    const QSize growth = event->size() - minimumSize();
    F1Book1->resize(designed.width() + std::max(0, growth.width()), designed.height() + std::max(0, growth.height()));
}

bool frmAJZX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtDKQS && event->type() == QEvent::FocusOut) MoveUnitToList();
    // The grid's own Ctrl+C copies one cell; the whole selection is wanted.
    if (watched == F1Book1 && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            event->accept();
            if (event->type() == QEvent::KeyPress) CopySelection();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumaro
