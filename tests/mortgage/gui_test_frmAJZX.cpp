// The mortgage calculator window: what it restores and saves, the schedule it shows, copying and exporting it.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "config/mdlINI.h"
#include "core/Environment.h"
#include "core/Table.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/PdfText.h"
#include "mortgage/Schedule.h"
#include "mortgage/frmAJZX.h"
#include "platform/Platform.h"
#include "ui/BoxRefusal.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

using test::WaitUntil;

template <class T = QWidget> T* Child(QWidget& window, const char* name) {
    if (T* child = window.findChild<T*>(QString::fromLatin1(name))) return child;
    throw std::runtime_error(std::string("no control ") + name);
}

void Compute(frmAJZX& window, const char* amount, const char* rate, const char* periods, int unit = 0, int method = 0) {
    for (auto [box, text] : {std::pair{"txtDKJE", amount}, std::pair{"txtDKLL", rate}, std::pair{"txtDKQS", periods}})
        Child<QLineEdit>(window, box)->setText(QString::fromUtf8(text));
    Child<QComboBox>(window, "cmbQS")->setCurrentIndex(unit);
    Child<QComboBox>(window, "cmbHKFS")->setCurrentIndex(method);
    Child<QPushButton>(window, "Command1")->click();
}

// The grid as the view shows it, "row heading,principal,interest,payment" per row.
QStringList Shown(frmAJZX& window) {
    const QAbstractItemModel* m = Child<QTableView>(window, "F1Book1")->model();
    QStringList shown;
    for (int r = 0; r < m->rowCount(); ++r)
        shown << QStringList{m->headerData(r, Qt::Vertical).toString(), m->index(r, 0).data().toString(),
                             m->index(r, 1).data().toString(), m->index(r, 2).data().toString()}.join(',');
    return shown;
}

// 100000 at 0.5% a month over 12 months.
const QStringList kEqual{
    "1,8106.64,500.00,8606.64",  "2,8147.17,459.47,8606.64",  "3,8187.91,418.73,8606.64", "4,8228.85,377.79,8606.64",
    "5,8269.99,336.65,8606.64",  "6,8311.34,295.30,8606.64",  "7,8352.90,253.74,8606.64", "8,8394.66,211.98,8606.64",
    "9,8436.64,170.00,8606.64",  "10,8478.82,127.82,8606.64", "11,8521.21,85.43,8606.64", "12,8563.87,42.82,8606.64",
    "合计,100000.00,3279.73,103279.68"};

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override { ConfigFilePath = dir_.file("Lumaro.lic"); }
    void TearDown() override {
        ConfigFilePath = saved_;
        EXPECT_TRUE(messages_.messages().empty()) << "the calculator showed a message";
    }
    std::string saved_ = ConfigFilePath;
    test::TempDir dir_;
    test::MessageRecorder messages_;
};

// Tab through the controls in tab order (the grid passes it on), the empty sheet with its columns 11, 11 and 12
// characters wide.
TEST_F(CalculatorTest, WindowAsDesigned) {
    frmAJZX window;
    ASSERT_TRUE(test::ShowActive(&window));
    Child(window, "txtDKJE")->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 9; ++i, test::PressKey(window.windowHandle(), Qt::Key_Tab)) order << window.focusWidget()->objectName();
    EXPECT_EQ(order.join(' '), "txtDKJE txtDKLL txtDKQS cmbHKFS F1Book1 Command1 Command3 cmbQS txtDKJE");
    // The sheet at first: headings above empty numbered rows; n characters of the grid's font fit a column of n
    // characters, one more does not.
    auto* grid = Child<QTableView>(window, "F1Book1");
    QStringList sheet = Shown(window).mid(0, 2);
    for (int c = 0; c < 3; ++c) sheet << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(sheet.join(' '), "1,,, 2,,, 本金 利息 应还款");
    for (const int c : {0, 1, 2}) {
        const int chars = c < 2 ? 11 : 12, width = grid->columnWidth(c);
        EXPECT_TRUE(grid->fontMetrics().horizontalAdvance(QString(chars, '0')) <= width &&
                    width < grid->fontMetrics().horizontalAdvance(QString(chars + 1, '0'))) << c << ": " << width;
    }
}

// Form_Load restores the rate in its ordinary form and both positions. Closed any way (case i by exit button, close
// box, Esc, modal run as i % 4), the window saves the rate as loaded or `typed`, both positions, no amount or periods.
TEST_F(CalculatorTest, RestoresAndSavesTheSection) {
    const struct { const char *rate, *unit, *method, *shown; int unitAt, methodAt; const char* typed{}; } cases[] = {
        {nullptr, nullptr, nullptr, "0", 0, 0}, {"0.4425", "1", "1", "0.4425", 1, 1}, {".50", "0", "0", "0.5", 0, 0},
        {"0.5%", "1年", "1 ", "0.5", 1, 1},    {"5", "-1", "-1", "5", -1, -1},      {"0", "5", "-2", "0", 0, 0},
        {"1", "0.6", "1.5", "1", 1, 0},         {"1", "1e10", "70000", "1", 0, 0},   {"abc", "x", "", "0", 0, 0},
        {"1e999", "1e999", "0", "0", 0, 0},     {"5", "-1", "1", "5", -1, 1, ".50"},
        {nullptr, nullptr, nullptr, "0", 0, 0, "0.4425"}, {"0.45", "0", "0", "0.45", 0, 0, "0.6%"},
        {"0.45", "0", "0", "0.45", 0, 0, "abc"}};  // a rate refused at its box: the last good one stays
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        std::filesystem::remove(ConfigFilePath);
        WriteIniString(ConfigFilePath, "ServerINFO", "ServerIP", "192.168.1.20");  // to be left alone
        const char *keys[] = {"贷款利率", "贷款期数", "还款方式"}, *values[] = {c.rate, c.unit, c.method};
        for (int k = 0; k < 3 && c.rate; ++k) WriteIniString(ConfigFilePath, "按揭咨询", keys[k], values[k]);
        QWidget owner;
        frmAJZX window(&owner);
        EXPECT_EQ(Child<QLineEdit>(window, "txtDKLL")->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(Child<QComboBox>(window, "cmbQS")->currentIndex(), c.unitAt);
        EXPECT_EQ(Child<QComboBox>(window, "cmbHKFS")->currentIndex(), c.methodAt);
        EXPECT_EQ(Child<QLineEdit>(window, "txtDKJE")->text() + Child<QLineEdit>(window, "txtDKQS")->text(), "");
        if (c.typed) Compute(window, "100000", c.typed, "240", c.unitAt, c.methodAt);
        if (i % 4 == 3) QTimer::singleShot(0, &window, [&] { Child<QPushButton>(window, "Command3")->click(); });
        i % 4 == 3 ? (void)window.exec() : window.show();
        if (i % 4 == 0) Child<QPushButton>(window, "Command3")->click();
        if (i % 4 == 1) window.close();
        if (i % 4 == 2) test::PressKey(window.windowHandle(), Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
        const bool refused = c.typed && std::string(c.typed) == "abc";
        const std::string ini = platform::FromAnsi(test::ReadBytes(ConfigFilePath)),
                          rate = refused ? c.rate : c.typed ? c.typed : c.shown;
        EXPECT_EQ(ini, "[ServerINFO]\r\nServerIP=192.168.1.20\r\n[按揭咨询]\r\n贷款利率=" + rate + "\r\n贷款期数=" +
                      std::to_string(c.unitAt) + "\r\n还款方式=" + std::to_string(c.methodAt) + "\r\n");
    }
}

// Computations in turn: the worked example, shrinking, kept and cleared rows, empty and odd inputs, long schedules
// and growing again. Every figure shows whole, the designed column widths being only the least, and the totals row
// of a schedule ends selected and in view. Then the grid's looks, copying and exporting.
TEST_F(CalculatorTest, GridShowsCopiesAndExportsTheSchedule) {
    frmAJZX window;
    ASSERT_TRUE(test::ShowActive(&window));
    auto* grid = Child<QTableView>(window, "F1Book1");
    const QAbstractItemModel* model = grid->model();
    QItemSelectionModel* selection = grid->selectionModel();
    const std::vector<int> designed{grid->columnWidth(0), grid->columnWidth(1), grid->columnWidth(2)};
    const QStringList emptied = {"1,,,", "2,,,", "合计,,,"}, totalsOnly = {"合计,0.00,,"};
    const struct { const char *amount, *rate, *periods; int unit, method; QStringList expected; bool widened = false; } steps[] = {
        {"100000", "0.5", "12", 0, 0, kEqual}, {" 100 000", "0.5%", "1", 1, 0, kEqual},
        {"300", "0.5", "2", 0, 1, {"1,150.00,1.50,151.50", "2,150.00,0.75,150.75", "合计,300.00,2.25,302.25"}},
        {"100000", "0.5", "-12", 0, 0, emptied}, {"-100000", "-0.5", "-65535", 0, 0, emptied},
        {"1200", "0", "3", 0, 0, {"1,400.00,0.00,400.00", "2,400.00,0.00,400.00", "3,400.00,0.00,400.00",
                                  "合计,1200.00,0.00,1200.00"}},  // a first use's rate of 0
        {"", "", "", 0, 0, totalsOnly}, {"1200000", "0.4", "360", 0, 0, {}, true},
        {"1000000", "0.5", "20", 1, 1, {}, true}, {"-99999999", "3", "600", 0, 0, {}, true},
        {"100000", "0.5", "12", 0, 0, kEqual}};
    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.font = grid->font();
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(s.amount) + "|" + s.periods);
        Compute(window, s.amount, s.rate, s.periods, s.unit, s.method);
        if (!s.expected.isEmpty()) { EXPECT_EQ(Shown(window), s.expected); }
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < 3; ++c)
                ASSERT_LE(grid->itemDelegate()->sizeHint(option, model->index(r, c)).width() + grid->showGrid(),
                          grid->columnWidth(c)) << r << "," << c;
        const std::vector<int> widths{grid->columnWidth(0), grid->columnWidth(1), grid->columnWidth(2)};
        EXPECT_TRUE(std::equal(widths.begin(), widths.end(), designed.begin(), std::greater_equal<>()) &&
                    (widths != designed) == s.widened);
        const QModelIndex totals = model->index(model->rowCount() - 1, 0);
        EXPECT_TRUE(s.expected == emptied ||
                    (selection->isRowSelected(totals.row()) && grid->viewport()->rect().contains(grid->visualRect(totals))));
    }
    EXPECT_TRUE(selection->isRowSelected(12) && selection->selectedIndexes().size() == 3);
    // Ctrl+C copies the selected cells as tab-separated rows, under their headings and after their period numbers, as
    // the CSV has them: whole rows, or one column.
    QClipboard* clipboard = QGuiApplication::clipboard();
    grid->setFocus();
    const std::pair<QItemSelection, QString> copies[] = {
        {QItemSelection(model->index(0, 0), model->index(1, 2)),
         "期数\t本金\t利息\t应还款\n1\t8106.64\t500.00\t8606.64\n2\t8147.17\t459.47\t8606.64\n"},
        {QItemSelection(model->index(11, 1), model->index(12, 1)), "期数\t利息\n12\t42.82\n合计\t3279.73\n"}};
    for (const auto& [cells, copied] : copies) {
        selection->select(cells, QItemSelectionModel::ClearAndSelect);
        clipboard->clear();
        test::PressKeys(window.windowHandle(), "Ctrl+C");
        EXPECT_TRUE(WaitUntil([&] { return clipboard->text() == copied; })) << clipboard->text().toStdString();
    }
    // The context menu: 复制, 全选, 导出CSV…; 全选 then 复制 copies the whole schedule.
    EXPECT_EQ(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList menu;
    for (QAction* action : grid->actions()) menu << action->text();
    ASSERT_EQ(menu.join('|'), "复制(&C)|全选(&A)||导出CSV(&S)…|打印(&P)…");
    grid->actions()[1]->trigger();
    grid->actions()[0]->trigger();
    EXPECT_TRUE(WaitUntil([&] { return clipboard->text().count('\n') == 14; })) << clipboard->text().toStdString();
    EXPECT_TRUE(clipboard->text().endsWith("\n12\t8563.87\t42.82\t8606.64\n合计\t100000.00\t3279.73\t103279.68\n"));
    // Exported as CSV, as the CLI prints it, behind the byte-order mark that makes a spreadsheet on a Chinese
    // desk read it as UTF-8; a place that cannot be written is refused, nothing created.
    const std::string path = dir_.file("按揭还款表.csv"), nowhere = dir_.file("missing-folder/schedule.csv");
    ASSERT_TRUE(window.ExportCsv(QString::fromStdString(path)));
    EXPECT_EQ(test::ReadBytes(path), "\xEF\xBB\xBF期数,本金,利息,应还款\n" + kEqual.join('\n').toStdString() + "\n");
    EXPECT_FALSE(window.ExportCsv(QString::fromStdString(nowhere)) || std::filesystem::exists(nowhere));
}

// The amount, rate and period boxes keep what is typed, pasted or composed: full-width forms (a Chinese input
// method's) become ASCII; thousands separators and blanks are dropped, so "1,000,000" is a million, not 1; units as
// people say them stay; a text that is no number is kept and refused at the box, its note shown while the box has
// the focus (tables/number_boxes.txt).
TEST_F(CalculatorTest, BoxesTakeNumbersAsPeopleTypeThem) {
    using test::Entry;
    frmAJZX window;
    ASSERT_TRUE(test::ShowActive(&window));
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/number_boxes.txt")) {
        auto* box = Child<QLineEdit>(window, row.at(0).c_str());
        box->clear();
        test::EnterText(box, ui::Q(row.at(1)), test::EntryNamed(row.at(2)));
        EXPECT_EQ(ui::S(box->text()), row.at(3)) << row.at(0) << " " << row.at(1) << " " << row.at(2);
        const bool refused = row.size() > 4;
        const QLabel* note = ui::BoxRefusalNote(box);
        EXPECT_EQ(note && note->isVisible() && !note->text().isEmpty(), refused) << row.at(0) << " " << row.at(1);
        EXPECT_EQ(box->toolTip().isEmpty(), !refused) << row.at(0) << " " << row.at(1);
    }
    // Computed from what was typed, Enter in a box pressing 计算 (even after the focus passed 退出): a loan of a million.
    for (auto [box, text] : {std::pair{"txtDKJE", "1,000,000"}, std::pair{"txtDKLL", "0.5"}, std::pair{"txtDKQS", "12"}}) {
        Child<QLineEdit>(window, box)->clear();
        test::EnterText(Child(window, box), QString::fromUtf8(text), Entry::Typed);
    }
    Child(window, "Command3")->setFocus(Qt::TabFocusReason);
    Child(window, "txtDKQS")->setFocus(Qt::TabFocusReason);
    test::PressKey(window.windowHandle(), Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Shown(window).last(), "合计,1000000.00,32797.15,1032797.16");
}

// Amounts, rates and periods as people say them are computed as meant: 120万 at 0.6% over 30年 is the schedule of
// 1200000 at 0.6 over 360 months, the unit going to the list. A text that is no number, or too large to compute
// from, is not computed as another number: the box keeps it and says why, 计算 takes the clerk there and the grid
// keeps what it showed.
TEST_F(CalculatorTest, TextThatIsNoNumberIsRefusedNotComputed) {
    using test::Entry;
    WriteIniString(ConfigFilePath, "按揭咨询", "贷款利率", "0.4");
    frmAJZX window;
    ASSERT_TRUE(test::ShowActive(&window));
    auto* rate = Child<QLineEdit>(window, "txtDKLL");
    ASSERT_EQ(rate->text(), "0.4");
    const auto enter = [&](const char* box, const char* text, Entry how) {
        auto* edit = Child<QLineEdit>(window, box);
        edit->setFocus();
        edit->selectAll();  // what is typed or pasted replaces the box's text
        test::EnterText(edit, QString::fromUtf8(text), how);
    };
    enter("txtDKJE", "120万", Entry::Composed);
    enter("txtDKLL", "0.6%", Entry::Pasted);
    enter("txtDKQS", "30年", Entry::Pasted);
    test::PressKey(window.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(Child<QLineEdit>(window, "txtDKQS")->text() + " " + Child<QComboBox>(window, "cmbQS")->currentText(), "30 年");
    MemoryScheduleTable meant;
    ComputeSchedule(ScheduleInputs{1200000, 0.006, 360, 0}, meant);
    const QStringList schedule = Shown(window);
    ASSERT_EQ(schedule.size(), 361);
    EXPECT_EQ(schedule.last().toStdString(), "合计," + meant.CellText(361, 1) + "," + meant.CellText(361, 2) + "," +
                                                 meant.CellText(361, 3));
    const struct { const char *box, *text, *says; } refusals[] = {
        {"txtDKLL", "abc", "请输入月利率，如 0.6 或 0.6%"}, {"txtDKJE", "1e400", "数字太大，无法计算"},
        {"txtDKJE", "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999", "数字太大，无法计算"},
        {"txtDKQS", "1e9", "期数太多：最多 65535 个月"}, {"txtDKQS", "30天", "请输入期数，如 360、360月 或 30年"}};
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.text);
        enter("txtDKJE", "120万", Entry::Composed);
        enter("txtDKLL", "0.6%", Entry::Pasted);
        enter("txtDKQS", "30", Entry::Typed);
        enter(r.box, r.text, Entry::Pasted);
        Child(window, "Command1")->setFocus();
        test::Click(Child<QPushButton>(window, "Command1"));
        auto* box = Child<QLineEdit>(window, r.box);
        EXPECT_EQ(box->text(), QString::fromUtf8(r.text));
        EXPECT_EQ(QApplication::focusWidget(), box) << "计算 takes the clerk to the box";
        const QLabel* note = ui::BoxRefusalNote(box);
        ASSERT_TRUE(note && note->isVisible());
        EXPECT_EQ(note->text(), QString::fromUtf8(r.says));
        EXPECT_TRUE(note->geometry().top() >= box->geometry().bottom() && window.rect().contains(note->geometry()));
        EXPECT_EQ(Shown(window), schedule) << "the grid keeps the schedule it showed";
    }
}

// 导出CSV… asks where in Chinese, whatever the desktop's language (this test runs in the C locale): the folders' and
// files' types, dates and sizes too. With no documents folder it opens in the home folder. Saved, it says where.
TEST(CalculatorExport, AsksInChineseAndSaysWhereItSaved) {
    test::TempDir home;
    test::ScopedEnvironment homeVariable("HOME", home.path().string()),
        config("XDG_CONFIG_HOME", home.file("config")), documents("XDG_DOCUMENTS_DIR", std::nullopt);
    std::filesystem::create_directories(home.path() / "房源资料");
    test::WriteBytes(home.path() / "旧表.csv", std::string(20000, 'x'));
    const std::string saved = ConfigFilePath;
    ConfigFilePath = home.file("Lumaro.lic");
    test::MessageRecorder messages;
    frmAJZX window;
    ASSERT_TRUE(test::ShowActive(&window));
    Compute(window, "100000", "0.5", "12");
    QStringList seen;  // the folder the dialog opened in, then each entry's name, size, type and date
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* list = dialog ? dialog->findChild<QTreeView*>("treeView") : nullptr;
        if (!list || list->model()->rowCount(list->rootIndex()) < 2) return;
        answerer.stop();
        seen << dialog->windowTitle() << dialog->directory().absolutePath();
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
            QStringList fields;
            for (int column = 0; column < 4; ++column)
                fields << list->model()->index(row, column, list->rootIndex()).data().toString();
            seen << fields.join('|');
        }
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->selectAll();
        test::EnterText(name, QStringLiteral("还款表"), test::Entry::Typed);
        test::PressKey(dialog->windowHandle(), Qt::Key_Return);
    });
    answerer.start(20);
    Child<QTableView>(window, "F1Book1")->findChild<QAction*>("actExportCsv")->trigger();
    ConfigFilePath = saved;
    ASSERT_GE(seen.size(), 4);
    EXPECT_EQ(seen[0], "导出CSV");
    EXPECT_EQ(seen[1], QString::fromStdString(home.path().string()));
    const QRegularExpression date(QStringLiteral("^\\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d{2}$"));
    const QStringList entries = seen.mid(2);
    ASSERT_EQ(entries.size(), 2) << entries.join(" / ").toStdString();
    const bool folderFirst = entries[0].startsWith(QStringLiteral("房源资料"));
    const QStringList folder = entries[folderFirst ? 0 : 1].split('|'), file = entries[folderFirst ? 1 : 0].split('|');
    EXPECT_EQ(folder.mid(0, 3).join('|'), "房源资料||文件夹");
    EXPECT_EQ(file.mid(0, 3).join('|'), "旧表.csv|19.5 KB|CSV 文件");
    EXPECT_TRUE(date.match(folder[3]).hasMatch() && date.match(file[3]).hasMatch()) << entries.join(" / ").toStdString();
    const std::string path = home.file("还款表.csv");
    EXPECT_EQ(test::ReadBytes(path), "\xEF\xBB\xBF期数,本金,利息,应还款\n" + kEqual.join('\n').toStdString() + "\n");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, "导出CSV");
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("还款表已保存到：\n") + QString::fromStdString(path));
}

// Ctrl+P in the window opens the print preview of the schedule (打印… in the grid's menu is the same action);
// printed, it starts with the inputs and the date and repeats the column headings on every page.
TEST_F(CalculatorTest, PrintsTheScheduleForTheCustomer) {
    frmAJZX window;
    ASSERT_TRUE(test::ShowActive(&window));
    Compute(window, "1200000", "0.4", "30", 1, 0);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy年M月d日"));
    const QString pdf = QString::fromStdString(dir_.file("schedule.pdf"));
    int previewPages = -1;
    // The preview runs its own event loop: it is handled from a timer.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        auto* pages = preview ? preview->findChild<QPrintPreviewWidget*>() : nullptr;
        if (!pages || pages->pageCount() == 0) return;
        previewPages = pages->pageCount();
        preview->printer()->setOutputFormat(QPrinter::PdfFormat);
        preview->printer()->setOutputFileName(pdf);
        pages->print();
        preview->reject();
    });
    watcher.start(50);
    test::PressKeys(window.windowHandle(), "Ctrl+P");
    const QStringList pages = test::PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3) << "too little printed (pdftotext from poppler-utils reads the file)";
    EXPECT_EQ(pages.size(), previewPages);
    // The inputs first, each on its line, then the headings; on later pages the headings first.
    const QRegularExpression inputs(QStringLiteral(
        "^\\s*按揭还款表\\s*\n\\s*贷款金额：\\s*1200000\\s*\n\\s*月\\s*利\\s*率：\\s*0\\.4\\s*％\\s*\n"
        "\\s*贷款期数：\\s*30\\s*年\\s*\n\\s*还款方式：\\s*等额法\\s*\n\\s*打印日期：\\s*(\\S+)\\s*\n"));
    const QString printedOn = inputs.match(pages[0]).captured(1);
    EXPECT_TRUE(printedOn == today || printedOn == QDate::currentDate().toString("yyyy年M月d日"))
        << pages[0].left(400).toStdString();
    const QRegularExpression headings(QStringLiteral("^\\s*期数\\s+本金\\s+利息\\s+应还款\\s*$"),
                                      QRegularExpression::MultilineOption);
    QStringList rows;
    for (const QString& page : pages) {
        const auto heading = headings.match(page);
        ASSERT_TRUE(heading.hasMatch() && (&page == &pages[0] || page.left(heading.capturedStart()).trimmed().isEmpty()))
            << page.left(200).toStdString();
        for (const QString& line : page.mid(heading.capturedEnd()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.simplified().split(' ');  // a row: its label and three amounts
            if (fields.size() == 4 && (fields[0] == "合计" || fields[0].toInt() > 0)) rows << fields.join(',');
        }
    }
    EXPECT_EQ(rows, Shown(window));
}

}  // namespace
}  // namespace lumaro
