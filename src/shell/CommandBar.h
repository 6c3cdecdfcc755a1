#pragma once

#include <memory>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <span>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

namespace lumaro {

// ---- The bar's content: plain data, read by the widget code below and by tests.

// One command of the bar, as the master list knows it.
struct ToolDef {
    const char* name;  // the command identifier the main window dispatches on
    int id;            // carried along; plays no part in dispatch
    const char* icon;  // resource path of the toolbar picture, nullptr for menu titles
};

enum class BandKind { MenuBar, ToolBar, Popup };

// One appearance of a tool on a band. The same tool may stand on several bands
// with different captions; it always delivers the same name.
struct BandEntry {
    const char* tool;
    const char* caption;   // "&" marks the accelerator
    const char* tooltip;   // "" for none
    bool beginsGroup;      // a separator is drawn before the entry
    const char* opens;     // menu-bar title: the popup band it drops down; "" otherwise
    const char* shortcut;  // portable key text ("F1"); "" for none
};

struct BandDef {
    const char* name;
    BandKind kind;
    std::span<const BandEntry> entries;
};

// A key people know from web browsers, picking a tool from anywhere in the
// window just as the tool's button does (besides the 帮助 entry's F1).
struct KeyDef {
    const char* key;   // portable key text ("Alt+Left")
    const char* tool;
};

std::span<const ToolDef> CommandBarTools();
std::span<const BandDef> CommandBarBands();  // in building order: menu bar, toolbar, popups
std::span<const KeyDef> CommandBarKeys();

// ---- The bar itself.

// A tool of the master list: every action that stands for it on any band.
class Tool {
public:
    Tool(const ToolDef& def, QIcon icon);
    QString name() const { return name_; }
    int id() const { return id_; }
    QIcon icon() const { return icon_; }
    const QList<QAction*>& actions() const { return actions_; }

    // State changes reach every band the tool stands on.
    void setEnabled(bool enabled);
    void setVisible(bool visible);
    bool isEnabled() const;

private:
    friend class CommandBar;
    QString name_;
    int id_;
    QIcon icon_;
    QList<QAction*> actions_;
};

// ActiveBar1: the menu bar and the large-icon toolbar of the main window,
// both built from the table above. Every pick is reported by the tool's name.
class CommandBar : public QObject {
    Q_OBJECT
public:
    // Installs the menu bar and the toolbar into `window`.
    explicit CommandBar(QMainWindow* window);
    ~CommandBar() override;

    Tool* tool(const QString& name) const;  // nullptr for a name the bar lacks
    const std::vector<std::unique_ptr<Tool>>& tools() const { return tools_; }

    QMenuBar* menuBar() const { return menuBar_; }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* popup(const QString& bandName) const;  // nullptr for an unknown band
    // The window's action for the key that picks this tool, nullptr for none.
    QAction* keyAction(const QString& toolName) const;

signals:
    void toolClick(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddEntry(const BandEntry& entry, QWidget* band, bool withIcon);

    std::vector<std::unique_ptr<Tool>> tools_;
    QMenuBar* menuBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::vector<std::pair<QString, QMenu*>> popups_;
    std::vector<std::pair<QString, QAction*>> keys_;
};

}  // namespace lumaro
