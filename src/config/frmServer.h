#pragma once

#include <QDialog>

namespace lumaro {

// "远程Web服务器配置": where the agency's web server is. Loads ServerINFO when
// created; "确定" stores the five values, "取消" and the close box store nothing.
class frmServer : public QDialog {
    Q_OBJECT
public:
    explicit frmServer(QWidget* owner = nullptr);
    ~frmServer() override;

    void Form_Load();
};

}  // namespace lumaro
