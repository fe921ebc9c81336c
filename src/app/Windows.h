// The six windows of the program, created once in a fixed order and kept until the end; each reaches the
// others through this object.
#pragma once

#include <memory>

#include "app/ProgramState.h"

namespace zk {

class TMainForm;
class TConfirmationDlg;
class TOptionDlg;
class TPasswordDlg;
class TSecSetDlg;
class THashForm;

class TWindows {
 public:
  explicit TWindows(TProgramState state);
  ~TWindows();
  TWindows(const TWindows&) = delete;
  TWindows& operator=(const TWindows&) = delete;

  TProgramState State;

  TMainForm& MainForm() const { return *mainForm_; }
  TConfirmationDlg& ConfirmationDlg() const { return *confirmationDlg_; }
  TOptionDlg& OptionDlg() const { return *optionDlg_; }
  TPasswordDlg& PasswordDlg() const { return *passwordDlg_; }
  TSecSetDlg& SecSetDlg() const { return *secSetDlg_; }
  THashForm& HashForm() const { return *hashForm_; }

 private:
  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TConfirmationDlg> confirmationDlg_;
  std::unique_ptr<TOptionDlg> optionDlg_;
  std::unique_ptr<TPasswordDlg> passwordDlg_;
  std::unique_ptr<TSecSetDlg> secSetDlg_;
  std::unique_ptr<THashForm> hashForm_;
};

}  // namespace zk
