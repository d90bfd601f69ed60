#pragma once

class QDialog;
class QDialogButtonBox;

namespace Dialog {

// "&OK" (the default) and "&Cancel", named by their control numbers, accepting and rejecting
// the dialog.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

} // namespace Dialog
