#pragma once

#include <array>
#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

namespace lumaro {

// "关于 <program>": name, version, the vendor's contacts with two links.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);
    ~frmAbout() override;

    void Form_Load();
    void cmdOK_Click();
    // A click on a contact line: 1 the web site, 3 the e-mail address; 0 and 2 do nothing.
    void lblDescription_Click(int Index);

    QPushButton* cmdOK = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    std::array<QLabel*, 4> lblDescription{};
    QLabel* Label1 = nullptr;
    QLabel* picIcon = nullptr;
    std::array<QWidget*, 2> Line1{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace lumaro
