#include "config/frmServer.h"

namespace lumaro {

// Placeholder until the window is built.
frmServer::frmServer(QWidget* owner) : QDialog(owner) { Form_Load(); }
frmServer::~frmServer() = default;
void frmServer::Form_Load() {}

}  // namespace lumaro
