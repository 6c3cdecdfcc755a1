#pragma once

#include <QDialog>

namespace lumaro {

// "按揭咨询": the mortgage calculator. Restores its inputs when created and
// saves them however it closes.
class frmAJZX : public QDialog {
    Q_OBJECT
public:
    explicit frmAJZX(QWidget* owner = nullptr);
    ~frmAJZX() override;

    void Form_Load();
};

}  // namespace lumaro
