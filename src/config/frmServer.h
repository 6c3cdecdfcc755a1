#pragma once

#include <array>
#include <string>
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumaro {

// "远程Web服务器配置": where the agency's web server is. Loads ServerINFO when
// created; "确定" (also Enter) stores the five values, all or none, "取消" (also
// Esc) and the close box store nothing.
class frmServer : public QDialog {
    Q_OBJECT
public:
    explicit frmServer(QWidget* owner = nullptr);
    ~frmServer() override;

    void Form_Load();
    void chkDynasetIP_Click();
    void Command1_Click();
    void OKButton_Click();
    void CancelButton_Click();

    // The controls, in tab order.
    QPushButton* OKButton;
    QPushButton* CancelButton;
    std::array<QLabel*, 4> Label1;
    QLineEdit* txtServerIP;  // its "tag" property holds the lookup-service URL
    QCheckBox* chkDynasetIP;
    QLineEdit* txtServerID;
    QLineEdit* txtWebRoot;
    QLineEdit* txtDBName;
    QPushButton* Command1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string LookupAddressToStore() const;
    void ReportRefusedValue(QLineEdit* box, const std::string& key);

    bool defaultsChosen_ = false;  // 默认值 pressed since the dialog opened
};

}  // namespace lumaro
