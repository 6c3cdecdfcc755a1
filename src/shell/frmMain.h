#pragma once

#include <cstdint>
#include <functional>
#include <QMainWindow>
#include <QString>

#include "shell/ServerConnection.h"

class QLabel;
class QStatusBar;

namespace lumaro {

class CommandBar;
class WebBrowser;

// "Lumaro(前台)": the main window. The command bar on top, the agency's web
// application in the browser, the vendor's service details in the status bar.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window; start-up runs Form_Load and then shows it.
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load();

    // Points the browser at the configured server (first activation and mConnect).
    void ConnectWebServer();

    // Runs the command the bar (or a page of the program's own) picked, by name.
    void ActiveBar1_ToolClick(const QString& name);

    // The connection the window keeps between calls (its values, the lookup's time-out).
    ServerConnection& Connection() { return connection_; }

    // The status bar panel with this key ("CopyRight", "Tel"), nullptr if none.
    QLabel* StatusPanel(const QString& key) const;

    CommandBar* ActiveBar1 = nullptr;
    WebBrowser* WB = nullptr;
    QStatusBar* sbStatusBar = nullptr;

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Activate();
    void WhenBrowserReady(const std::function<void()>& then);
    void Form_Resize();
    void Form_Unload();

    ServerConnection connection_;
    int16_t connectedOnce_ = 0;
};

}  // namespace lumaro
