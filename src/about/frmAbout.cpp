#include "about/frmAbout.h"

namespace lumaro {

// Placeholder until the window is built.
frmAbout::frmAbout(QWidget* owner) : QDialog(owner) { Form_Load(); }
frmAbout::~frmAbout() = default;
void frmAbout::Form_Load() {}

}  // namespace lumaro
