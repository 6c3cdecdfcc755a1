// The command bar: menus and toolbar built from the one table, every pick
// reported by the tool's name, whether picked by mouse, accelerator or F1.
#include <map>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "config/Vendor.h"
#include "gui/GuiTestKit.h"
#include "shell/CommandBar.h"
#include "shell/WindowKit.h"

// Qt's own entry for synthetic key input (what QtTest uses): the event takes the
// whole path a real key press takes, shortcut map and menu mnemonics included.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                    const QString& text = QString(), bool autorepeat = false, ushort count = 1);

namespace lumaro {
namespace {

using test::WaitUntil;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void PressKey(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = QString()) {
    qt_handleKeyEvent(window, QEvent::KeyPress, key, modifiers, text);
    qt_handleKeyEvent(window, QEvent::KeyRelease, key, modifiers, text);
}

// The captions of a band as the user reads them, "|" for a separator.
QString Reading(const QList<QAction*>& actions) {
    QStringList parts;
    for (const QAction* a : actions) parts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return parts.join(QLatin1Char(' '));
}

struct Host {
    QMainWindow window;
    CommandBar* bar = new CommandBar(&window);
    QStringList picks;

    Host() {
        QObject::connect(bar, &CommandBar::toolClick, [this](const QString& name) { picks << name; });
    }

    QList<QAction*> BandActions(const BandDef& band) const {
        switch (band.kind) {
        case BandKind::MenuBar: return bar->menuBar()->actions();
        case BandKind::ToolBar: return bar->toolBar()->actions();
        case BandKind::Popup: return bar->popup(U(band.name))->actions();
        }
        return {};
    }

    bool ShowActive() {
        window.resize(900, 500);
        window.show();
        window.activateWindow();
        return WaitUntil([&] { return QApplication::activeWindow() == &window; });
    }
};

TEST(CommandBarTest, ReadsAsLaidOut) {
    Host host;
    EXPECT_EQ(Reading(host.bar->menuBar()->actions()), U("服务器(&S) 浏览器(&B) 计算器(&C) 帮助(&H) 关闭(&E)"));
    EXPECT_EQ(Reading(host.bar->toolBar()->actions()),
              U("主页 | 配置 连接 | 后退 前进 刷新 停止 打印 | 银行按揭 计算器 | 关于 帮助 | 关闭"));
    EXPECT_EQ(Reading(host.bar->popup("PopupBand1")->actions()), U("配置服务器 连接服务器"));
    EXPECT_EQ(Reading(host.bar->popup("PopupBand2")->actions()), U("后退 前进 刷新 停止 | 主页"));
    EXPECT_EQ(Reading(host.bar->popup("PopupBand3")->actions()), U("按揭计算器 数字计算器"));
    EXPECT_EQ(Reading(host.bar->popup("PopupBand4")->actions()), U("关于(&A) 帮助"));

    // Each title opens its own popup.
    const QList<QAction*> titles = host.bar->menuBar()->actions();
    const char* popups[] = {"PopupBand1", "PopupBand2", "PopupBand3", "PopupBand4"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(titles[i]->menu(), host.bar->popup(popups[i])) << popups[i];
    EXPECT_EQ(titles[4]->menu(), nullptr);
}

// Every band entry of the table stands on its band in order, with its caption,
// tooltip, separator, icon (toolbar only) and shortcut, and picking it delivers
// its tool's name.
TEST(CommandBarTest, EveryEntryOfTheTableIsBuiltAndDeliversItsName) {
    Host host;
    ASSERT_EQ(CommandBarBands().size(), 6u);
    for (const BandDef& band : CommandBarBands()) {
        SCOPED_TRACE(band.name);
        QList<QAction*> actions = host.BandActions(band);
        int i = 0;
        for (const BandEntry& entry : band.entries) {
            SCOPED_TRACE(entry.caption);
            if (entry.beginsGroup) {
                ASSERT_LT(i, actions.size());
                EXPECT_TRUE(actions[i]->isSeparator());
                ++i;
            }
            ASSERT_LT(i, actions.size());
            QAction* action = actions[i++];
            ASSERT_FALSE(action->isSeparator());
            EXPECT_EQ(action->text(), U(entry.caption));
            if (*entry.tooltip) {
                EXPECT_EQ(action->toolTip(), U(entry.tooltip));
            }
            EXPECT_EQ(action->shortcut(), QKeySequence(U(entry.shortcut)));
            EXPECT_EQ(!action->icon().isNull(), band.kind == BandKind::ToolBar);

            Tool* tool = host.bar->tool(U(entry.tool));
            ASSERT_NE(tool, nullptr);
            EXPECT_TRUE(tool->actions().contains(action));

            host.picks.clear();
            if (action->menu()) {
                emit action->menu()->aboutToShow();  // what dropping the menu down does
            } else {
                action->trigger();
            }
            EXPECT_EQ(host.picks, QStringList{U(entry.tool)});
        }
        EXPECT_EQ(i, actions.size()) << "entries beyond the table";
    }
}

TEST(CommandBarTest, TheToolbarAndTheMenuOfOneCommandDeliverTheSameName) {
    struct Pair {
        const char* toolbarCaption;
        const char* popup;
        const char* menuCaption;
        const char* name;
    };
    const Pair pairs[] = {
        {"配置", "PopupBand1", "配置服务器", "mSetup"},   {"连接", "PopupBand1", "连接服务器", "mConnect"},
        {"后退", "PopupBand2", "后退", "mGoback"},        {"前进", "PopupBand2", "前进", "mGoon"},
        {"刷新", "PopupBand2", "刷新", "mRefresh"},       {"停止", "PopupBand2", "停止", "mStop"},
        {"主页", "PopupBand2", "主页", "mHomePage"},      {"银行按揭", "PopupBand3", "按揭计算器", "mCalcAJ"},
        {"计算器", "PopupBand3", "数字计算器", "mCalcSZ"}, {"关于", "PopupBand4", "关于(&A)", "mAbout"},
        {"帮助", "PopupBand4", "帮助", "mHelp"},
    };
    Host host;
    auto find = [](const QList<QAction*>& actions, const char* caption) -> QAction* {
        for (QAction* a : actions)
            if (a->text() == U(caption)) return a;
        return nullptr;
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.name);
        QAction* onToolbar = find(host.bar->toolBar()->actions(), p.toolbarCaption);
        QAction* inMenu = find(host.bar->popup(p.popup)->actions(), p.menuCaption);
        ASSERT_TRUE(onToolbar && inMenu);
        host.picks.clear();
        // The toolbar button as the user clicks it.
        auto* button = qobject_cast<QToolButton*>(host.bar->toolBar()->widgetForAction(onToolbar));
        ASSERT_NE(button, nullptr);
        button->click();
        inMenu->trigger();
        EXPECT_EQ(host.picks, (QStringList{U(p.name), U(p.name)}));
    }
    // 关闭 stands on the toolbar and straight on the menu bar; 打印 on the toolbar only.
    host.picks.clear();
    find(host.bar->toolBar()->actions(), "关闭")->trigger();
    find(host.bar->menuBar()->actions(), "关闭(&E)")->trigger();
    EXPECT_EQ(host.picks, (QStringList{"mExit", "mExit"}));
    EXPECT_EQ(host.bar->tool("mPrint")->actions().size(), 1);
}

TEST(CommandBarTest, ToolsCarryTheirIds) {
    const std::map<QString, int> expected = {
        {"mConnect", 1}, {"mSetup", 2},    {"mHelp", 4},     {"mAbout", 5},      {"mCalcAJ", 6},
        {"mExit", 7},    {"mCalcSZ", 8},   {"mGoback", 9},   {"mGoon", 10},      {"mRefresh", 11},
        {"mStop", 11},   {"mServer", 12},  {"mWB", 13},      {"mC", 14},         {"mbangzhu", 15},
        {"mHomePage", 100}, {"mPrint", 101},
    };
    Host host;
    EXPECT_EQ(host.bar->tools().size(), expected.size());
    for (const auto& [name, id] : expected) {
        const Tool* tool = host.bar->tool(name);
        ASSERT_NE(tool, nullptr) << name.toStdString();
        EXPECT_EQ(tool->id(), id) << name.toStdString();
    }
    EXPECT_EQ(host.bar->tool("mNothing"), nullptr);
    EXPECT_EQ(host.bar->tool("mexit"), nullptr) << "names are case-sensitive";
}

TEST(CommandBarTest, TooltipsOfTheMenusAndToolbar) {
    Host host;
    QStringList toolbarTips;
    for (const QAction* a : host.bar->toolBar()->actions())
        if (!a->isSeparator()) toolbarTips << a->toolTip();
    EXPECT_EQ(toolbarTips.join(' '), U("欢迎访问 配置服务器 连接服务器 后退 前进 刷新 停止 打印 按揭计算器 数字计算器 关于 帮助 关闭"));
    // Menu entries: their caption, but the home page entry names the address it opens.
    for (const char* popup : {"PopupBand1", "PopupBand2", "PopupBand3", "PopupBand4"}) {
        for (const QAction* a : host.bar->popup(popup)->actions()) {
            if (a->isSeparator()) continue;
            QString expected = QString(a->text()).remove('&');
            if (a->objectName() == "mHomePage") expected = U(vendor::WebSite);
            EXPECT_EQ(a->toolTip(), expected) << popup;
        }
    }
    EXPECT_EQ(host.bar->menuBar()->actions().last()->toolTip(), U("关闭"));
}

// Alt plus the underlined letter of each title.
TEST(CommandBarTest, MenuTitlesCarryAltAccelerators) {
    Host host;
    const QList<QAction*> titles = host.bar->menuBar()->actions();
    const QKeySequence expected[] = {QKeySequence(Qt::ALT | Qt::Key_S), QKeySequence(Qt::ALT | Qt::Key_B),
                                     QKeySequence(Qt::ALT | Qt::Key_C), QKeySequence(Qt::ALT | Qt::Key_H),
                                     QKeySequence(Qt::ALT | Qt::Key_E)};
    ASSERT_EQ(titles.size(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(QKeySequence::mnemonic(titles[i]->text()), expected[i]);
    EXPECT_EQ(QKeySequence::mnemonic(host.bar->popup("PopupBand4")->actions().first()->text()),
              QKeySequence(Qt::ALT | Qt::Key_A));
}

TEST(CommandBarTest, KeyboardPicksTools) {
    Host host;
    ASSERT_TRUE(host.ShowActive());
    QWindow* window = host.window.windowHandle();

    PressKey(window, Qt::Key_F1, Qt::NoModifier);
    EXPECT_EQ(host.picks, QStringList{"mHelp"});

    host.picks.clear();
    PressKey(window, Qt::Key_E, Qt::AltModifier, "e");
    EXPECT_TRUE(WaitUntil([&] { return !host.picks.isEmpty(); }));
    EXPECT_EQ(host.picks, QStringList{"mExit"});

    // Alt+S drops the server menu down.
    host.picks.clear();
    PressKey(window, Qt::Key_S, Qt::AltModifier, "s");
    QMenu* server = host.bar->popup("PopupBand1");
    EXPECT_TRUE(WaitUntil([&] { return server->isVisible(); }));
    EXPECT_EQ(host.picks, QStringList{"mServer"});
    server->hide();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &host.window; }));

    // Alt+H, then A inside the help menu picks the about window.
    host.picks.clear();
    PressKey(window, Qt::Key_H, Qt::AltModifier, "h");
    QMenu* help = host.bar->popup("PopupBand4");
    ASSERT_TRUE(WaitUntil([&] { return help->isVisible(); }));
    PressKey(help->windowHandle(), Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_TRUE(WaitUntil([&] { return host.picks.size() == 2; }));
    EXPECT_EQ(host.picks, (QStringList{"mbangzhu", "mAbout"}));
    EXPECT_FALSE(help->isVisible());
}

TEST(CommandBarTest, LargeIconsWithTheCaptionUnderneath) {
    Host host;
    QToolBar* bar = host.bar->toolBar();
    EXPECT_EQ(bar->iconSize(), QSize(32, 32));
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    // Every picture is there and draws something at 32 x 32.
    for (const auto& tool : host.bar->tools()) {
        const ToolDef* def = nullptr;
        for (const ToolDef& d : CommandBarTools())
            if (U(d.name) == tool->name()) def = &d;
        ASSERT_NE(def, nullptr);
        if (!def->icon) continue;
        const QImage image = tool->icon().pixmap(32, 32).toImage();
        ASSERT_FALSE(image.isNull()) << def->icon;
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 32 * 32 / 5) << def->icon << ": too faint to read";
    }
    EXPECT_FALSE(ui::AppIcon().pixmap(32, 32).isNull());
    // The bar's font.
    for (QWidget* w : {static_cast<QWidget*>(host.bar->menuBar()), static_cast<QWidget*>(bar),
                       static_cast<QWidget*>(host.bar->popup("PopupBand2"))}) {
        EXPECT_EQ(w->font().family(), U("宋体"));
        EXPECT_EQ(w->font().pointSize(), 9);
    }
}

// A tool switched off is off on every band it stands on.
TEST(CommandBarTest, ToolStateReachesEveryBand) {
    Host host;
    Tool* about = host.bar->tool("mAbout");
    ASSERT_EQ(about->actions().size(), 2);
    about->setEnabled(false);
    about->setVisible(false);
    for (QAction* a : about->actions()) {
        EXPECT_FALSE(a->isEnabled());
        EXPECT_FALSE(a->isVisible());
    }
    EXPECT_FALSE(about->isEnabled());
    host.bar->tool("mAbout")->actions().first()->trigger();  // a disabled action does not fire
    EXPECT_TRUE(host.picks.isEmpty());
    EXPECT_TRUE(host.bar->tool("mHelp")->isEnabled());
}

}  // namespace
}  // namespace lumaro
