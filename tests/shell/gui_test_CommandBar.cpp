// The command bar: the layout as the user reads it, every pick reported by the
// tool's name (by mouse, accelerator or key), and pictures legible at 32 x 32.
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

#include "config/Vendor.h"
#include "gui/GuiTestKit.h"
#include "shell/CommandBar.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

// Every band in the user's reading order, "|" for a separator, each entry as
// caption/tooltip/the name a pick delivers/that tool's id[/shortcut]; menu titles have no tooltip.
const std::pair<const char*, std::string> kLayout[] = {
    {"MnuBand1", "服务器(&S)//mServer/12 浏览器(&B)//mWB/13 计算器(&C)//mC/14 帮助(&H)//mbangzhu/15 关闭(&E)/关闭/mExit/7"},
    {"Band3", "主页/欢迎访问/mHomePage/100 | 配置/配置服务器/mSetup/2 连接/连接服务器/mConnect/1 | 后退/后退/mGoback/9 "
              "前进/前进/mGoon/10 刷新/刷新/mRefresh/11 停止/停止/mStop/11 打印/打印/mPrint/101 | "
              "银行按揭/按揭计算器/mCalcAJ/6 计算器/数字计算器/mCalcSZ/8 | 关于/关于/mAbout/5 帮助/帮助/mHelp/4 | 关闭/关闭/mExit/7"},
    {"PopupBand1", "配置服务器/配置服务器/mSetup/2 连接服务器/连接服务器/mConnect/1"},
    {"PopupBand2", std::string("后退/后退/mGoback/9 前进/前进/mGoon/10 刷新/刷新/mRefresh/11 停止/停止/mStop/11 | 主页/") +
                       vendor::WebSite + "/mHomePage/100"},
    {"PopupBand3", "按揭计算器/按揭计算器/mCalcAJ/6 数字计算器/数字计算器/mCalcSZ/8"},
    {"PopupBand4", "关于(&A)/关于(A)/mAbout/5 帮助/帮助/mHelp/4/F1"},
};

struct Host {
    QMainWindow window;
    CommandBar* bar = new CommandBar(&window);
    QStringList picks;

    Host() { QObject::connect(bar, &CommandBar::toolClick, [this](const QString& name) { picks << name; }); }
    QList<QAction*> Actions(const QString& band) const {
        if (band == "MnuBand1") return bar->menuBar()->actions();
        return band == "Band3" ? bar->toolBar()->actions() : bar->popup(band)->actions();
    }
    // The tooltip shown when the pointer rests on the entry (its menu dropped down).
    QString ShownTooltip(QAction* a, const QString& band) {
        QWidget* where = bar->popup(band);
        QRect place;
        if (band == "MnuBand1") where = bar->menuBar(), place = bar->menuBar()->actionGeometry(a);
        else if (band == "Band3") where = bar->toolBar(), place = bar->toolBar()->actionGeometry(a);
        else bar->popup(band)->popup({0, 0}), place = bar->popup(band)->actionGeometry(a);
        QWidget* target = where->childAt(place.center()) ? where->childAt(place.center()) : where;
        for (QWidget* tip : QApplication::topLevelWidgets())
            if (tip->inherits("QTipLabel")) tip->hide();  // at once: hideText() lets it fade
        QHelpEvent hover(QEvent::ToolTip, target->mapFrom(where, place.center()), where->mapToGlobal(place.center()));
        QApplication::sendEvent(target, &hover);
        where->setVisible(where != bar->popup(band));
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    // A band as built, picking each entry as the user does: a title drops its
    // menu down, a toolbar button is clicked, a menu entry chosen.
    QString Read(const QString& band) {
        QStringList entries;
        for (QAction* a : Actions(band)) {
            picks.clear();
            if (a->isSeparator()) { entries << "|"; continue; }
            const QString tooltip = ShownTooltip(a, band);
            picks.clear();  // a menu dropped down is a pick of its title
            if (a->menu()) emit a->menu()->aboutToShow();
            else if (auto* button = qobject_cast<QToolButton*>(bar->toolBar()->widgetForAction(a))) button->click();
            else a->trigger();
            const Tool* tool = bar->tool(picks.join('+'));
            QStringList fields{a->text(), tooltip, picks.join('+'), tool ? QString::number(tool->id()) : "?"};
            if (!a->shortcut().isEmpty()) fields << a->shortcut().toString();
            entries << fields.join('/');
        }
        return entries.join(' ');
    }
};

TEST(CommandBarTest, BandsReadAsLaidOutWithPicturesLegibleAt32By32) {
    Host host;
    host.window.setGeometry(0, 0, 800, 300);  // every tool in sight, on the screen
    host.window.show();
    for (const auto& [band, reading] : kLayout) EXPECT_EQ(host.Read(band).toStdString(), reading) << band;
    // The master list: 17 tools by exact name, standing on no band but the above (29 entries).
    int placed = 0;
    for (const auto& tool : host.bar->tools()) placed += tool->actions().size();
    EXPECT_EQ(host.bar->tools().size(), 17u);
    EXPECT_EQ(placed, 29);
    EXPECT_EQ(host.bar->tool("mexit"), nullptr);
    for (QWidget* w : std::initializer_list<QWidget*>{host.bar->menuBar(), host.bar->toolBar(), host.bar->popup("PopupBand2")})
        EXPECT_EQ(std::make_pair(w->font().family(), w->font().pointSize()), std::make_pair(QString("宋体"), 9));

    // Only toolbar entries show a picture, large with the caption underneath; each
    // one (and the program's own) draws enough at 32 x 32 to be read.
    EXPECT_EQ(host.bar->toolBar()->iconSize(), QSize(32, 32));
    EXPECT_EQ(host.bar->toolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QList<QIcon> icons{ui::AppIcon()};
    for (const auto& [band, reading] : kLayout)
        for (const QAction* a : host.Actions(band))
            if (!a->icon().isNull()) icons << a->icon();
    ASSERT_EQ(icons.size(), 14) << "the app icon and the 13 toolbar buttons";
    for (int i = 0; i < icons.size(); ++i) {
        const QImage image = icons[i].pixmap(32, 32).toImage();
        int opaque = 0;
        for (int p = 0; p < 32 * 32; ++p) opaque += qAlpha(image.pixel(p % 32, p / 32)) > 128;
        EXPECT_GT(opaque, 32 * 32 / 5) << "picture " << i << " too faint to read";
    }
}

TEST(CommandBarTest, KeysPickTools) {
    Host host;
    host.window.setGeometry(0, 0, 800, 300);  // every tool in sight, on the screen
    host.window.show();
    host.window.activateWindow();
    const auto active = [&] { return QApplication::activeWindow() == &host.window; };
    ASSERT_TRUE(test::WaitUntil(active));
    // F1, the keys people know from browsers, and Alt+E, which picks 关闭 straight from the menu bar.
    for (const char* keys : {"F1", "F5", "Esc", "Alt+Left", "Alt+Right", "Ctrl+P", "Alt+E"})
        test::PressKeys(host.window.windowHandle(), keys);
    // Alt + the underlined letter drops each menu down; inside 帮助, A picks 关于.
    const Qt::Key letters[] = {Qt::Key_S, Qt::Key_B, Qt::Key_C, Qt::Key_H};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(test::WaitUntil(active));
        test::PressKey(host.window.windowHandle(), letters[i], Qt::AltModifier);
        QMenu* menu = host.bar->popup(QString("PopupBand%1").arg(i + 1));
        ASSERT_TRUE(test::WaitUntil([&] { return menu->isVisible(); })) << i;
        if (i < 3) menu->hide();
    }
    test::PressKey(host.bar->popup("PopupBand4")->windowHandle(), Qt::Key_A, Qt::NoModifier);
    EXPECT_TRUE(test::WaitUntil([&] { return host.picks.size() == 12; }));
    EXPECT_EQ(host.picks.join(' ').toStdString(), "mHelp mRefresh mStop mGoback mGoon mPrint mExit mServer mWB mC mbangzhu mAbout");
}

}  // namespace
}  // namespace lumaro
