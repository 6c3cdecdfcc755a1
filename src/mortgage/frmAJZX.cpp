#include "mortgage/frmAJZX.h"

namespace lumaro {

// Placeholder until the window is built.
frmAJZX::frmAJZX(QWidget* owner) : QDialog(owner) { Form_Load(); }
frmAJZX::~frmAJZX() = default;
void frmAJZX::Form_Load() {}

}  // namespace lumaro
