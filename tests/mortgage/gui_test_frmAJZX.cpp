// The mortgage calculator window: what it restores and saves in the settings
// file, the schedule it shows, copying and exporting it.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <array>
#include <utility>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "mortgage/ScheduleModel.h"
#include "mortgage/frmAJZX.h"
#include "platform/Platform.h"
#include "shell/WindowKit.h"

namespace lumaro {
namespace {

using test::TempDir;
using ui::TwipsRect;

const std::string kSection = "按揭咨询";

template <class T>
T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (!child) throw std::runtime_error(std::string("no control ") + name);
    return child;
}

// A key as the system delivers it: first offered as a shortcut override to the
// widget, then pressed on it.
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent override(QEvent::ShortcutOverride, key, modifiers);
    override.ignore();
    QApplication::sendEvent(widget, &override);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

// Grid rows as "heading,principal,interest,payment".
const QStringList kEqual{
    "1,8106.64,500.00,8606.64",  "2,8147.17,459.47,8606.64",  "3,8187.91,418.73,8606.64",
    "4,8228.85,377.79,8606.64",  "5,8269.99,336.65,8606.64",  "6,8311.34,295.30,8606.64",
    "7,8352.90,253.74,8606.64",  "8,8394.66,211.98,8606.64",  "9,8436.64,170.00,8606.64",
    "10,8478.82,127.82,8606.64", "11,8521.21,85.43,8606.64",  "12,8563.87,42.82,8606.64",
    "合计,100000.00,3279.73,103279.68",
};

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ConfigFilePath;
        ConfigFilePath = dir_.file("Lumaro.lic");
    }
    void TearDown() override {
        ConfigFilePath = saved_;
        EXPECT_TRUE(messages_.messages().empty()) << "the calculator showed a message";
    }

    static std::string Stored(const std::string& key) { return ReadIniString(ConfigFilePath, kSection, key); }
    static void Store(const std::string& key, const std::string& value) {
        WriteIniString(ConfigFilePath, kSection, key, value);
    }

    static void Compute(frmAJZX& window, const QString& amount, const QString& rate, const QString& periods,
                        int unit = 0, int method = 0) {
        Child<QLineEdit>(window, "txtDKJE")->setText(amount);
        Child<QLineEdit>(window, "txtDKLL")->setText(rate);
        Child<QLineEdit>(window, "txtDKQS")->setText(periods);
        Child<QComboBox>(window, "cmbQS")->setCurrentIndex(unit);
        Child<QComboBox>(window, "cmbHKFS")->setCurrentIndex(method);
        Child<QPushButton>(window, "Command1")->click();
    }

    // The grid as the view shows it.
    static QStringList Shown(frmAJZX& window) {
        const QAbstractItemModel* model = Child<QTableView>(window, "F1Book1")->model();
        QStringList shown;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList line{model->headerData(r, Qt::Vertical).toString()};
            for (int c = 0; c < model->columnCount(); ++c) line << model->index(r, c).data().toString();
            shown << line.join(',');
        }
        return shown;
    }

    TempDir dir_;
    std::string saved_;
    test::MessageRecorder messages_;
};

// ---- The window itself -------------------------------------------------

TEST_F(CalculatorTest, WindowHasItsControlsWhereDesigned) {
    frmAJZX window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("按揭咨询"));
    const QSize client = TwipsRect(0, 0, 3795, 4095).size();
    EXPECT_EQ(window.minimumSize(), client);
    EXPECT_EQ(window.maximumSize(), client);
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window.windowIcon().isNull());

    struct Control {
        const char* name;
        const char* caption;
        QRect where;
    };
    const Control controls[] = {
        {"Label1_0", "贷款金额：", TwipsRect(90, 180, 900, 180)},
        {"txtDKJE", "", TwipsRect(990, 120, 1455, 300)},
        {"Label1_1", "月 利 率：", TwipsRect(90, 510, 900, 180)},
        {"txtDKLL", nullptr, TwipsRect(990, 450, 1245, 300)},
        {"Label1_2", "％", TwipsRect(2280, 510, 180, 180)},
        {"Label1_3", "贷款期数：", TwipsRect(90, 870, 900, 180)},
        {"txtDKQS", "", TwipsRect(990, 810, 975, 300)},
        {"cmbQS", nullptr, TwipsRect(1980, 810, 540, 300)},
        {"Label1_4", "还款方式：", TwipsRect(90, 1260, 900, 180)},
        {"cmbHKFS", nullptr, TwipsRect(1020, 1200, 1485, 300)},
        {"F1Book1", nullptr, TwipsRect(30, 1560, 3765, 2535)},
        {"Frame1", nullptr, TwipsRect(2550, 30, 1185, 1485)},
        {"Command1", "计算(&C)", TwipsRect(90, 180, 1035, 375)},
        {"Command3", "退出(&E)", TwipsRect(90, 1020, 1035, 375)},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* widget = Child<QWidget>(window, c.name);
        EXPECT_EQ(widget->geometry(), c.where);
        if (c.caption) {
            EXPECT_EQ(widget->property("text").toString(), QString::fromUtf8(c.caption));
        }
    }
    EXPECT_EQ(Child<QPushButton>(window, "Command1")->parentWidget(), Child<QFrame>(window, "Frame1"));
    EXPECT_EQ(Child<QPushButton>(window, "Command3")->parentWidget(), Child<QFrame>(window, "Frame1"));

    for (const auto& [name, items] : {std::pair{"cmbQS", QStringList{"月", "年"}},
                                      std::pair{"cmbHKFS", QStringList{"等额法", "递减法"}}}) {
        auto* list = Child<QComboBox>(window, name);
        EXPECT_FALSE(list->isEditable());
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
        EXPECT_EQ(shown, items);
    }

    // Tab order among the controls that take focus.
    const QStringList expectedOrder{"txtDKJE", "txtDKLL",  "txtDKQS",  "cmbHKFS",
                                    "F1Book1", "Command1", "Command3", "cmbQS"};
    QStringList order;
    QWidget* w = Child<QWidget>(window, "txtDKJE");
    for (int steps = 0; steps < 200 && order.size() < expectedOrder.size(); ++steps, w = w->nextInFocusChain())
        if (expectedOrder.contains(w->objectName()) && !order.contains(w->objectName())) order << w->objectName();
    EXPECT_EQ(order, expectedOrder);

    // The grid at first: headings above empty numbered rows of 255 twips.
    auto* grid = Child<QTableView>(window, "F1Book1");
    const QAbstractItemModel* model = grid->model();
    EXPECT_FALSE(grid->horizontalHeader()->isHidden());
    EXPECT_FALSE(grid->verticalHeader()->isHidden());
    QStringList headings;
    for (int c = 0; c < model->columnCount(); ++c) headings << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, QStringList({"本金", "利息", "应还款"}));
    const QStringList shown = Shown(window);
    ASSERT_FALSE(shown.isEmpty());
    for (int r = 0; r < shown.size(); ++r) EXPECT_EQ(shown[r], QString::number(r + 1) + ",,,");
    EXPECT_EQ(grid->rowHeight(0), ui::TwipsY(255));
}

TEST_F(CalculatorTest, TakesTheOwnersIcon) {
    QWidget owner;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const QIcon icon(red);
    owner.setWindowIcon(icon);
    frmAJZX window(&owner);
    EXPECT_EQ(window.windowIcon().cacheKey(), icon.cacheKey());
}

// ---- Restoring and saving the inputs ------------------------------------

struct LoadCase {
    const char* name;
    const char* rate;    // stored values; nullptr = key missing
    const char* unit;
    const char* method;
    const char* shownRate;
    int unitIndex;
    int methodIndex;
};

class LoadTest : public CalculatorTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTest, RestoresRateAndListPositions) {
    const LoadCase& c = GetParam();
    // Another section the window must leave alone.
    WriteIniString(ConfigFilePath, "ServerINFO", "ServerIP", "192.168.1.20");
    if (c.rate) Store("贷款利率", c.rate);
    if (c.unit) Store("贷款期数", c.unit);
    if (c.method) Store("还款方式", c.method);

    frmAJZX window;
    EXPECT_EQ(Child<QLineEdit>(window, "txtDKLL")->text(), QString::fromUtf8(c.shownRate));
    EXPECT_EQ(Child<QComboBox>(window, "cmbQS")->currentIndex(), c.unitIndex);
    EXPECT_EQ(Child<QComboBox>(window, "cmbHKFS")->currentIndex(), c.methodIndex);
    EXPECT_EQ(Child<QLineEdit>(window, "txtDKJE")->text(), QString());
    EXPECT_EQ(Child<QLineEdit>(window, "txtDKQS")->text(), QString());

    // Closing unchanged writes back what is shown, the rate as its box holds it.
    window.Command3_Click();
    EXPECT_EQ(Stored("贷款利率"), c.shownRate);
    EXPECT_EQ(Stored("贷款期数"), std::to_string(c.unitIndex));
    EXPECT_EQ(Stored("还款方式"), std::to_string(c.methodIndex));
    EXPECT_EQ(ReadIniString(ConfigFilePath, "ServerINFO", "ServerIP"), "192.168.1.20");
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LoadTest,
    ::testing::Values(LoadCase{"NoSection", nullptr, nullptr, nullptr, "0", 0, 0},
                      LoadCase{"Stored", "0.4425", "1", "1", "0.4425", 1, 1},
                      LoadCase{"PointFifty", ".50", "0", "0", "0.5", 0, 0},
                      LoadCase{"TrailingText", "0.5%", "1年", "1 ", "0.5", 1, 1},
                      LoadCase{"NoSelection", "5", "-1", "-1", "5", -1, -1},
                      LoadCase{"OutOfRange", "0", "5", "-2", "0", 0, 0},
                      LoadCase{"Rounded", "1", "0.6", "1.5", "1", 1, 0},
                      LoadCase{"BeyondInteger", "1", "1e10", "70000", "1", 0, 0},
                      LoadCase{"NotNumbers", "abc", "x", "", "0", 0, 0},
                      LoadCase{"BeyondDouble", "1e999", "1e999", "0", "0", 0, 0}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

enum class CloseBy { ExitButton, CloseBox, Escape, ModalRun };

class CloseTest : public CalculatorTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(CloseTest, SavesTheInputsAsTypedHoweverItCloses) {
    QWidget owner;
    frmAJZX window(&owner);
    if (GetParam() != CloseBy::ModalRun) window.show();
    Child<QLineEdit>(window, "txtDKJE")->setText("100000");
    Child<QLineEdit>(window, "txtDKLL")->setText("0.4425");
    Child<QLineEdit>(window, "txtDKQS")->setText("240");
    Child<QComboBox>(window, "cmbQS")->setCurrentIndex(-1);
    Child<QComboBox>(window, "cmbHKFS")->setCurrentIndex(1);
    switch (GetParam()) {
    case CloseBy::ExitButton:
        Child<QPushButton>(window, "Command3")->click();
        break;
    case CloseBy::CloseBox:
        window.close();
        break;
    case CloseBy::Escape:
        PressKey(Child<QLineEdit>(window, "txtDKQS"), Qt::Key_Escape);
        break;
    case CloseBy::ModalRun:  // as the main window runs it
        QTimer::singleShot(0, &window, [&] { Child<QPushButton>(window, "Command3")->click(); });
        window.exec();
        break;
    }
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Stored("贷款利率"), "0.4425");
    EXPECT_EQ(Stored("贷款期数"), "-1");
    EXPECT_EQ(Stored("还款方式"), "1");
    // Amount and periods are not remembered.
    const std::string file = platform::FromAnsi(test::ReadBytes(ConfigFilePath));
    EXPECT_EQ(file.find("100000"), std::string::npos);
    EXPECT_EQ(file.find("240"), std::string::npos);
    // Written in the order rate, unit, method.
    const auto rate = file.find("贷款利率"), unit = file.find("贷款期数"), method = file.find("还款方式");
    ASSERT_NE(method, std::string::npos);
    EXPECT_LT(rate, unit);
    EXPECT_LT(unit, method);

    // A rate typed as .50 comes back as 0.5, with the -1 position kept.
    Store("贷款利率", ".50");
    frmAJZX again;
    EXPECT_EQ(Child<QLineEdit>(again, "txtDKLL")->text(), QStringLiteral("0.5"));
    EXPECT_EQ(Child<QComboBox>(again, "cmbQS")->currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(again, "cmbHKFS")->currentIndex(), 1);
}

INSTANTIATE_TEST_SUITE_P(Closing, CloseTest,
                         ::testing::Values(CloseBy::ExitButton, CloseBy::CloseBox, CloseBy::Escape, CloseBy::ModalRun),
                         [](const ::testing::TestParamInfo<CloseBy>& info) {
                             return std::string(info.param == CloseBy::ExitButton ? "ExitButton"
                                                : info.param == CloseBy::CloseBox ? "CloseBox"
                                                : info.param == CloseBy::Escape   ? "Escape"
                                                                                  : "ModalRun");
                         });

// ---- The schedule --------------------------------------------------------

struct ScheduleCase {
    const char* name;
    const char* amount;
    const char* rate;
    const char* periods;
    int unit;
    int method;
    const QStringList* expected;
};

class WorkedExampleTest : public CalculatorTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(WorkedExampleTest, GridShowsTheScheduleToTheCent) {
    const ScheduleCase& c = GetParam();
    frmAJZX window;
    auto* grid = Child<QTableView>(window, "F1Book1");
    // Twice: the second run starts from an empty totals row again.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        Compute(window, c.amount, c.rate, c.periods, c.unit, c.method);
        EXPECT_EQ(Shown(window), *c.expected);
    }
    // Every schedule row is 280 twips high; the totals row ends selected.
    for (int r = 0; r < grid->model()->rowCount(); ++r) EXPECT_EQ(grid->rowHeight(r), ui::TwipsY(280));
    const int totals = grid->model()->rowCount() - 1;
    QModelIndexList selected = grid->selectionModel()->selectedIndexes();
    std::sort(selected.begin(), selected.end());
    ASSERT_EQ(selected.size(), 3);
    for (int col = 0; col < 3; ++col) EXPECT_EQ(selected[col], grid->model()->index(totals, col));
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, WorkedExampleTest,
    ::testing::Values(ScheduleCase{"EqualMonths", "100000", "0.5", "12", 0, 0, &kEqual},
                      ScheduleCase{"EqualOneYear", "100000", "0.5", "1", 1, 0, &kEqual},
                      ScheduleCase{"TypedWithNoise", " 100 000", "0.5%", "12期", 0, 0, &kEqual}),
    [](const ::testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

TEST_F(CalculatorTest, AmountsAreRightAlignedReadOnlyAndFitTheirColumns) {
    frmAJZX window;
    Compute(window, "100000", "0.5", "12");
    auto* grid = Child<QTableView>(window, "F1Book1");
    const QAbstractItemModel* model = grid->model();
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    const QFontMetrics metrics(grid->font());
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < 3; ++c) {
            const QModelIndex cell = model->index(r, c);
            EXPECT_FALSE(model->flags(cell) & Qt::ItemIsEditable);
            EXPECT_TRUE(model->flags(cell) & Qt::ItemIsSelectable);
            EXPECT_EQ(cell.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
                      Qt::AlignRight);
            EXPECT_LT(metrics.horizontalAdvance(cell.data().toString()) + 6, grid->columnWidth(c));
        }
    }
    // Columns 11, 11 and 12 characters wide.
    EXPECT_EQ(grid->columnWidth(0), grid->columnWidth(1));
    EXPECT_GT(grid->columnWidth(2), grid->columnWidth(1));
}

TEST_F(CalculatorTest, FewerPeriodsShrinkTheGrid) {
    frmAJZX window;
    Compute(window, "100000", "0.5", "12");
    Compute(window, "30000", "0.5", "3", 0, 1);
    EXPECT_EQ(Shown(window), QStringList({"1,10000.00,150.00,10150.00", "2,10000.00,100.00,10100.00",
                                          "3,10000.00,50.00,10050.00", "合计,30000.00,300.00,30300.00"}));
    // And more periods grow it again, to the full worked example.
    Compute(window, "100000", "0.5", "12");
    EXPECT_EQ(Shown(window), kEqual);
}

TEST_F(CalculatorTest, EmptyInputsLeaveOnlyTheTotalsRow) {
    frmAJZX window;
    Compute(window, "", "", "");
    EXPECT_EQ(Shown(window), QStringList{"合计,0.00,,"});
    auto* grid = Child<QTableView>(window, "F1Book1");
    EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 3);
}

class OddInputTest : public CalculatorTest,
                     public ::testing::WithParamInterface<std::array<const char*, 3>> {};

TEST_P(OddInputTest, ComputesWithoutAMessage) {
    frmAJZX window;
    Compute(window, "100000", "0.5", "12");
    const auto& [amount, rate, periods] = GetParam();
    Compute(window, amount, rate, periods, 1, 0);
    const QAbstractItemModel* model = Child<QTableView>(window, "F1Book1")->model();
    EXPECT_GE(model->rowCount(), 1);
    EXPECT_LE(model->rowCount(), ScheduleTable::MaxRows);
    // The window stays usable: the next ordinary computation is right.
    Compute(window, "100000", "0.5", "12");
    EXPECT_EQ(Shown(window), kEqual);
}

INSTANTIATE_TEST_SUITE_P(Inputs, OddInputTest,
                         ::testing::Values(std::array<const char*, 3>{"1e999", "0.5", "1"},
                                           std::array<const char*, 3>{"abc", "x", "y"},
                                           std::array<const char*, 3>{"-100000", "-0.5", "-12"},
                                           std::array<const char*, 3>{"100000", "0", "1"},
                                           std::array<const char*, 3>{"100000", "0.5", "1e9"},
                                           std::array<const char*, 3>{"100000", "0.5", "1e999"}));

TEST_F(CalculatorTest, LongScheduleReachesTheViewAsOneReset) {
    frmAJZX window;
    auto* grid = Child<QTableView>(window, "F1Book1");
    const QAbstractItemModel* model = grid->model();
    int resets = 0, changes = 0, headers = 0;
    QObject::connect(model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(model, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    QObject::connect(model, &QAbstractItemModel::headerDataChanged, [&] { ++headers; });
    Compute(window, "100000", "0.5", "65535");
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(headers, 0);
    ASSERT_EQ(model->rowCount(), 65536);
    EXPECT_EQ(model->headerData(65534, Qt::Vertical).toString(), QStringLiteral("65535"));
    EXPECT_EQ(model->headerData(65535, Qt::Vertical).toString(), QStringLiteral("合计"));
    EXPECT_EQ(model->index(65535, 0).data().toString(), QStringLiteral("100000.00"));
    EXPECT_EQ(grid->rowHeight(65535), ui::TwipsY(280));
}

// ---- Copying and exporting ----------------------------------------------

TEST_F(CalculatorTest, CtrlCCopiesTheSelectedCellsAsTabSeparatedRows) {
    frmAJZX window;
    Compute(window, "100000", "0.5", "12");
    auto* grid = Child<QTableView>(window, "F1Book1");
    const QAbstractItemModel* model = grid->model();
    QItemSelectionModel* selection = grid->selectionModel();
    QClipboard* clipboard = QGuiApplication::clipboard();

    selection->select(QItemSelection(model->index(0, 0), model->index(1, 2)), QItemSelectionModel::ClearAndSelect);
    clipboard->clear();
    PressKey(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("8106.64\t500.00\t8606.64\n8147.17\t459.47\t8606.64\n"));

    // Scattered cells: their bounding block, the gaps empty.
    selection->select(model->index(0, 0), QItemSelectionModel::ClearAndSelect);
    selection->select(model->index(2, 2), QItemSelectionModel::Select);
    clipboard->clear();
    PressKey(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("8106.64\t\t\n\t\t\n\t\t8606.64\n"));

    // The context menu's 全选 then 复制: the whole schedule.
    auto* selectAll = grid->findChild<QAction*>(QStringLiteral("actSelectAll"));
    auto* copy = grid->findChild<QAction*>(QStringLiteral("actCopy"));
    ASSERT_TRUE(selectAll && copy);
    EXPECT_TRUE(grid->actions().contains(selectAll));
    EXPECT_TRUE(grid->actions().contains(copy));
    EXPECT_EQ(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
    selectAll->trigger();
    copy->trigger();
    const QStringList lines = clipboard->text().split('\n');
    ASSERT_EQ(lines.size(), 14);  // 13 rows and the empty text after the last line break
    EXPECT_EQ(lines[0], QStringLiteral("8106.64\t500.00\t8606.64"));
    EXPECT_EQ(lines[12], QStringLiteral("100000.00\t3279.73\t103279.68"));
}

TEST_F(CalculatorTest, ExportsTheSameCsvAsTheCommandLine) {
    frmAJZX window;
    Compute(window, "100000", "0.5", "12");
    const QString path = QString::fromStdString(dir_.file("按揭还款表.csv"));
    ASSERT_TRUE(window.ExportCsv(path));
    const std::string saved = test::ReadBytes(std::filesystem::u8path(path.toStdString()));

    QProcess cli;
    cli.start(QStringLiteral(LUMARO_CLI_PATH), {"schedule", "100000", "0.5", "12", "--csv"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(saved, cli.readAllStandardOutput().toStdString());

    EXPECT_EQ(saved, "期数,本金,利息,应还款\n" + kEqual.join('\n').toStdString() + "\n");

    // A place that cannot be written: refused, nothing created.
    const QString nowhere = QString::fromStdString(dir_.file("missing-folder/schedule.csv"));
    EXPECT_FALSE(window.ExportCsv(nowhere));
    EXPECT_FALSE(QFile::exists(nowhere));
}

// ---- The model alone -----------------------------------------------------

TEST(ScheduleModelTest, SingleWritesNotifyViewsAndRefusedCountsChangeNothing) {
    ScheduleModel model;
    int resets = 0, changes = 0, headers = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    QObject::connect(&model, &QAbstractItemModel::headerDataChanged, [&] { ++headers; });

    model.SetRowCount(2);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), 2);
    model.SetCell(2, 3, "1.50");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("1.50"));
    model.SetRowLabel(2, "合计");
    EXPECT_EQ(headers, 1);
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("合计"));

    for (int refused : {0, -1, ScheduleTable::MaxRows + 1}) {
        EXPECT_ANY_THROW(model.SetRowCount(refused));
        EXPECT_EQ(model.rowCount(), 2);
    }
    EXPECT_ANY_THROW(model.SetCell(3, 1, "1.00"));
    EXPECT_ANY_THROW(model.SetCell(1, 4, "1.00"));
    EXPECT_ANY_THROW(model.SetRowLabel(0, "x"));

    model.Clear();
    EXPECT_EQ(model.index(1, 2).data().toString(), QString());
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("合计"));
}

// Not a check: renders the window with the worked example for a look.
// Run with --gtest_also_run_disabled_tests; LUMARO_SHOT names the PNG.
TEST_F(CalculatorTest, DISABLED_Screenshot) {
    frmAJZX window;
    window.show();
    Compute(window, "100000", "0.5", qEnvironmentVariable("LUMARO_SHOT_PERIODS", "12"));
    QApplication::processEvents();
    const QString shot = qEnvironmentVariable("LUMARO_SHOT", QDir::temp().filePath("frmAJZX.png"));
    EXPECT_TRUE(window.grab().save(shot));
}

}  // namespace
}  // namespace lumaro
