#include <QApplication>

#include "shell/frmMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumaro::frmMain window;
    window.Form_Load();
    window.show();
    return app.exec();
}
