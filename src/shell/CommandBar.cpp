#include "shell/CommandBar.h"

#include <QAction>
#include <QFont>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolTip>

#include "config/Vendor.h"

// The pictures live in a static library: their registration has to be pulled in
// explicitly (and from outside any namespace).
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace lumaro {
namespace {

// The master list: every tool once, with its id and toolbar picture.
constexpr ToolDef kTools[] = {
    {"mServer", 12, nullptr},
    {"mWB", 13, nullptr},
    {"mC", 14, nullptr},
    {"mbangzhu", 15, nullptr},
    {"mHomePage", 100, ":/icons/mHomePage.svg"},
    {"mSetup", 2, ":/icons/mSetup.svg"},
    {"mConnect", 1, ":/icons/mConnect.svg"},
    {"mGoback", 9, ":/icons/mGoback.svg"},
    {"mGoon", 10, ":/icons/mGoon.svg"},
    {"mRefresh", 11, ":/icons/mRefresh.svg"},
    {"mStop", 11, ":/icons/mStop.svg"},
    {"mPrint", 101, ":/icons/mPrint.svg"},
    {"mCalcAJ", 6, ":/icons/mCalcAJ.svg"},
    {"mCalcSZ", 8, ":/icons/mCalcSZ.svg"},
    {"mAbout", 5, ":/icons/mAbout.svg"},
    {"mHelp", 4, ":/icons/mHelp.svg"},
    {"mExit", 7, ":/icons/mExit.svg"},
};

// tool, caption, tooltip, begins group, opens, shortcut
constexpr BandEntry kMenuBar[] = {
    {"mServer", "服务器(&S)", "", false, "PopupBand1", ""},
    {"mWB", "浏览器(&B)", "", false, "PopupBand2", ""},
    {"mC", "计算器(&C)", "", false, "PopupBand3", ""},
    {"mbangzhu", "帮助(&H)", "", false, "PopupBand4", ""},
    {"mExit", "关闭(&E)", "关闭", false, "", ""},
};

constexpr BandEntry kToolBar[] = {
    {"mHomePage", "主页", "欢迎访问", false, "", ""},
    {"mSetup", "配置", "配置服务器", true, "", ""},
    {"mConnect", "连接", "连接服务器", false, "", ""},
    {"mGoback", "后退", "后退", true, "", ""},
    {"mGoon", "前进", "前进", false, "", ""},
    {"mRefresh", "刷新", "刷新", false, "", ""},
    {"mStop", "停止", "停止", false, "", ""},
    {"mPrint", "打印", "打印", false, "", ""},
    {"mCalcAJ", "银行按揭", "按揭计算器", true, "", ""},
    {"mCalcSZ", "计算器", "数字计算器", false, "", ""},
    {"mAbout", "关于", "关于", true, "", ""},
    {"mHelp", "帮助", "帮助", false, "", ""},
    {"mExit", "关闭", "关闭", true, "", ""},
};

constexpr BandEntry kPopup1[] = {
    {"mSetup", "配置服务器", "配置服务器", false, "", ""},
    {"mConnect", "连接服务器", "连接服务器", false, "", ""},
};

constexpr BandEntry kPopup2[] = {
    {"mGoback", "后退", "后退", false, "", ""},
    {"mGoon", "前进", "前进", false, "", ""},
    {"mRefresh", "刷新", "刷新", false, "", ""},
    {"mStop", "停止", "停止", false, "", ""},
    {"mHomePage", "主页", vendor::WebSite, true, "", ""},
};

constexpr BandEntry kPopup3[] = {
    {"mCalcAJ", "按揭计算器", "按揭计算器", false, "", ""},
    {"mCalcSZ", "数字计算器", "数字计算器", false, "", ""},
};

constexpr BandEntry kPopup4[] = {
    {"mAbout", "关于(&A)", "关于(A)", false, "", ""},
    {"mHelp", "帮助", "帮助", false, "", "F1"},
};

// Keys of web browsers; Backspace is not one: outside a text box it would
// leave the page, and what was typed into its form with it.
constexpr KeyDef kKeys[] = {
    {"F5", "mRefresh"}, {"Esc", "mStop"}, {"Alt+Left", "mGoback"}, {"Alt+Right", "mGoon"}, {"Ctrl+P", "mPrint"},
};

constexpr BandDef kBands[] = {
    {"MnuBand1", BandKind::MenuBar, kMenuBar},
    {"Band3", BandKind::ToolBar, kToolBar},
    {"PopupBand1", BandKind::Popup, kPopup1},
    {"PopupBand2", BandKind::Popup, kPopup2},
    {"PopupBand3", BandKind::Popup, kPopup3},
    {"PopupBand4", BandKind::Popup, kPopup4},
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QFont BarFont() { return QFont(QStringLiteral("宋体"), 9, QFont::Normal); }

}  // namespace

std::span<const ToolDef> CommandBarTools() { return kTools; }
std::span<const BandDef> CommandBarBands() { return kBands; }
std::span<const KeyDef> CommandBarKeys() { return kKeys; }

Tool::Tool(const ToolDef& def, QIcon icon) : name_(U(def.name)), id_(def.id), icon_(std::move(icon)) {}

void Tool::setEnabled(bool enabled) {
    for (QAction* a : actions_) a->setEnabled(enabled);
}

void Tool::setVisible(bool visible) {
    for (QAction* a : actions_) a->setVisible(visible);
}

bool Tool::isEnabled() const {
    for (QAction* a : actions_)
        if (a->isEnabled()) return true;
    return false;
}

CommandBar::CommandBar(QMainWindow* window) : QObject(window) {
    InitIconResources();

    for (const ToolDef& def : kTools)
        tools_.push_back(std::make_unique<Tool>(def, def.icon ? QIcon(U(def.icon)) : QIcon()));

    menuBar_ = new QMenuBar(window);
    menuBar_->setObjectName(QStringLiteral("MnuBand1"));
    menuBar_->setFont(BarFont());
    menuBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    menuBar_->installEventFilter(this);  // shows the tooltip of 关闭, which a menu bar does not do itself

    toolBar_ = new QToolBar(window);
    toolBar_->setObjectName(QStringLiteral("Band3"));
    toolBar_->setFont(BarFont());
    toolBar_->setIconSize(QSize(32, 32));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // A docked band, as the menus are: it cannot be dragged away or switched off.
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setVisible(false);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);

    // The popups first, so the menu-bar titles can open them.
    for (const BandDef& band : kBands) {
        if (band.kind != BandKind::Popup) continue;
        auto* menu = new QMenu(menuBar_);
        menu->setObjectName(U(band.name));
        menu->setFont(BarFont());
        menu->setToolTipsVisible(true);
        for (const BandEntry& entry : band.entries) AddEntry(entry, menu, false);
        popups_.emplace_back(U(band.name), menu);
    }

    for (const BandDef& band : kBands) {
        if (band.kind == BandKind::MenuBar) {
            for (const BandEntry& entry : band.entries) {
                Tool* t = tool(U(entry.tool));
                QMenu* menu = popup(U(entry.opens));
                if (!menu) {
                    AddEntry(entry, menuBar_, false);
                    continue;
                }
                menu->setTitle(U(entry.caption));
                QAction* title = menuBar_->addMenu(menu);
                title->setObjectName(t->name());
                t->actions_.append(title);
                // Dropping a menu down is a pick of its title too; the title carries no command.
                connect(menu, &QMenu::aboutToShow, this, [this, name = t->name()] { emit toolClick(name); });
            }
        } else if (band.kind == BandKind::ToolBar) {
            for (const BandEntry& entry : band.entries) AddEntry(entry, toolBar_, true);
        }
    }

    window->setMenuBar(menuBar_);
    window->addToolBar(Qt::TopToolBarArea, toolBar_);

    for (const KeyDef& key : kKeys) {
        auto* action = new QAction(window);
        action->setShortcut(QKeySequence(U(key.key), QKeySequence::PortableText));
        window->addAction(action);
        keys_.emplace_back(U(key.tool), action);
        connect(action, &QAction::triggered, this, [this, name = U(key.tool)] {
            if (tool(name)->isEnabled()) emit toolClick(name);
        });
    }
}

CommandBar::~CommandBar() = default;

QAction* CommandBar::AddEntry(const BandEntry& entry, QWidget* band, bool withIcon) {
    Tool* t = tool(U(entry.tool));
    if (entry.beginsGroup) {
        if (auto* menu = qobject_cast<QMenu*>(band))
            menu->addSeparator();
        else if (auto* bar = qobject_cast<QToolBar*>(band))
            bar->addSeparator();
    }
    auto* action = new QAction(U(entry.caption), band);
    action->setObjectName(t->name());
    if (*entry.tooltip) action->setToolTip(U(entry.tooltip));
    if (withIcon) action->setIcon(t->icon());
    if (*entry.shortcut) action->setShortcut(QKeySequence(U(entry.shortcut), QKeySequence::PortableText));
    band->addAction(action);
    t->actions_.append(action);
    connect(action, &QAction::triggered, this, [this, name = t->name()] { emit toolClick(name); });
    return action;
}

bool CommandBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == menuBar_ && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QAction* action = menuBar_->actionAt(help->pos());
        if (action && !action->menu() && !action->toolTip().isEmpty()) {
            QToolTip::showText(help->globalPos(), action->toolTip(), menuBar_, menuBar_->actionGeometry(action));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

Tool* CommandBar::tool(const QString& name) const {
    for (const auto& t : tools_)
        if (t->name() == name) return t.get();
    return nullptr;
}

QAction* CommandBar::keyAction(const QString& toolName) const {
    for (const auto& [name, action] : keys_)
        if (name == toolName) return action;
    return nullptr;
}

QMenu* CommandBar::popup(const QString& bandName) const {
    for (const auto& [name, menu] : popups_)
        if (name == bandName) return menu;
    return nullptr;
}

}  // namespace lumaro
