#pragma once

#include <QDialog>

namespace lumaro {

// "关于 <program>": name, version, the vendor's contacts with two links.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);
    ~frmAbout() override;

    void Form_Load();
};

}  // namespace lumaro
