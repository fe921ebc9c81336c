#include "app/Windows.h"

#include "app/MainForm.h"
#include "dialogs/ConfirmationDlg.h"
#include "dialogs/HashForm.h"
#include "dialogs/OptionDlg.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/SecSetDlg.h"

namespace zk {

TWindows::TWindows(TProgramState state) : State(std::move(state)) {
  // The main window comes first: its creation step reads the values the others use.
  mainForm_ = std::make_unique<TMainForm>(*this);
  confirmationDlg_ = std::make_unique<TConfirmationDlg>(*this);
  optionDlg_ = std::make_unique<TOptionDlg>(*this);
  passwordDlg_ = std::make_unique<TPasswordDlg>(*this);
  secSetDlg_ = std::make_unique<TSecSetDlg>(*this);
  hashForm_ = std::make_unique<THashForm>(*this);
}

// Members go in the reverse order of their declaration: the windows in the reverse order of their making.
TWindows::~TWindows() = default;

}  // namespace zk
