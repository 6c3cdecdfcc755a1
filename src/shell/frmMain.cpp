#include "shell/frmMain.h"

namespace lumaro {

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) { setWindowTitle(QStringLiteral("Lumaro(前台)")); }
frmMain::~frmMain() = default;
void frmMain::Form_Load() {}

}  // namespace lumaro
