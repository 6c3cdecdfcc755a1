// The command bar: the layout as the user reads it, tooltips included, every pick reported by the tool's name.
#include <QApplication>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

#include "config/Vendor.h"
#include "shell/CommandBar.h"

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

TEST(CommandBarTest, BandsReadAsLaidOut) {
    Host host;
    host.window.setGeometry(0, 0, 800, 300);  // every tool in sight, on the screen
    host.window.show();
    for (const auto& [band, reading] : kLayout) EXPECT_EQ(host.Read(band).toStdString(), reading) << band;
}

}  // namespace
}  // namespace lumaro
