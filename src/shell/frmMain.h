#pragma once

#include <QMainWindow>

namespace lumaro {

// "Lumaro(前台)": the main window. Placeholder until the window is built.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load();
};

}  // namespace lumaro
