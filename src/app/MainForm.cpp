#include "app/MainForm.h"

#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include "platform/ExecutableFolder.h"
#include "platform/FileInfo.h"
#include "platform/Random.h"
#include "shell/PathIntake.h"
#include "ui/DialogFrame.h"
#include "ui/Pictures.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"
#include "ui/ReturnKey.h"
#include "ui_MainForm.h"

namespace zk {
namespace {

// The original's outer heights, 205 with the wipe-bin button and 170 without, include a title bar and
// borders of 25 pixels; 170 cuts the window off just below OptionBitBtn.
constexpr int kClientHeightWithWipeBin = 180;
constexpr int kClientHeightWithoutWipeBin = 145;

}  // namespace

TMainForm::TMainForm(TSettings& settings, TProgramState& state)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      FindFile(MakeIntakeFinder(true)),
      stayOnTop_(*this, false),
      settings_(settings),
      state_(state),
      ui_(std::make_unique<Ui::TMainForm>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  ui_->EncBitBtn->setIcon(Picture(TPicture::kEncrypt));
  ui_->DecBitBtn->setIcon(Picture(TPicture::kDecrypt));

  OpenDialog.setFileMode(QFileDialog::ExistingFiles);
  OpenDialog.setNameFilter(tr("全てのファイル (*)"));
  OpenDialog.setOption(QFileDialog::DontResolveSymlinks);  // links are returned as themselves
  OpenDialog.setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog.setDirectory(PathToQString(state_.StartFolder));

  connect(ui_->EncBitBtn, &QPushButton::clicked, this, &TMainForm::EncBitBtnClick);
  connect(ui_->DecBitBtn, &QPushButton::clicked, this, &TMainForm::DecBitBtnClick);
  connect(ui_->WipeBitBtn, &QPushButton::clicked, this, &TMainForm::WipeBitBtnClick);
  connect(ui_->OptionBitBtn, &QPushButton::clicked, this, &TMainForm::OptionBitBtnClick);
  HookDropWatch(EncriptDropWatch, ui_->EncBitBtn, TBatchMode::kEncrypt);
  HookDropWatch(DecriptDropWatch, ui_->DecBitBtn, TBatchMode::kDecrypt);
  HookDropWatch(WipeDropWatch, ui_->WipeBitBtn, TBatchMode::kWipe);

  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] {
    if (FileExists(state_.HelpFile))
      QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQString(state_.HelpFile)));
  });

  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::HookDropWatch(TDropWatch& watch, QWidget* button, TBatchMode mode) {
  watch.SetWatchControl(button);
  watch.SetEnabled(true);
  watch.OnFilesDropped = [this, mode](TDropWatch&, int, int, const std::vector<std::string>& files) {
    StartBatch(mode, files);
  };
}

void TMainForm::FormCreate() {
  RandomGenerator();  // seeded now, from the clock
  const std::string programFolder = ExecutableFolder();
  // Relative paths of the command line still count from StartFolder; a failure here changes nothing.
  (void)::chdir(programFolder.c_str());
  state_.HelpFile = programFolder + "ZK.hlp";
  // Sized before it is placed: a window that changes its size while it is first mapped is put where its
  // inner area, not its frame, stands at X, Y, and would save a position higher up at every close.
  ApplyLayout();
  move(settings_.X, settings_.Y);
  FindFile.Recurse = settings_.IncSubFolder;
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shownBefore_) {
    shownBefore_ = true;
    // Now that the window has its frame: a saved position off every screen must not hide it.
    PlaceOnScreen(*this, pos());
    // After the window has painted, as the start-up messages stand in front of it.
    QTimer::singleShot(0, this, &TMainForm::FirstShown);
  }
  ApplyLayout();
  ui_->OptionBitBtn->setFocus();
}

void TMainForm::ApplyLayout() {
  const bool wipeBin = settings_.ShowWipeButton;
  ui_->WipeBitBtn->setVisible(wipeBin);
  ui_->WipeBitBtn->setEnabled(wipeBin);
  setFixedSize(width(), wipeBin ? kClientHeightWithWipeBin : kClientHeightWithoutWipeBin);
}

void TMainForm::ApplySettings() {
  stayOnTop_.SetStayOnTop(settings_.StayOnTop);
  FindFile.Recurse = settings_.IncSubFolder;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Where the window's place cannot be known, the saved one stays for the next start under X11.
  if (ClientPlacesWindows()) {
    settings_.X = x();
    settings_.Y = y();
  }
  emit Closing();
  event->accept();
  QApplication::quit();
}

// A push button outside a dialog takes only Space; Return presses the focused button as in every dialog.
void TMainForm::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QWidget::keyPressEvent(event);
}

void TMainForm::StartBatch(TBatchMode mode, const std::vector<std::string>& paths) {
  emit BatchRequested(mode, CollectFiles(FindFile, paths));
}

void TMainForm::StartBatchFromDialog(TBatchMode mode) {
  if (const std::optional<std::vector<std::string>> chosen = ChooseFiles(*this)) StartBatch(mode, *chosen);
}

std::optional<std::vector<std::string>> TMainForm::ChooseFiles(QWidget& caller) {
  // Shown over the window that asks, so that it stands above it (the options dialog stays on top); it
  // must not stay that window's child, which would delete it.
  const Qt::WindowFlags flags = OpenDialog.windowFlags();
  OpenDialog.setParent(&caller, flags);
  const std::optional<QStringList> chosen = prompts::ChooseFiles(OpenDialog);
  OpenDialog.setParent(nullptr, flags);
  if (!chosen) return std::nullopt;
  std::vector<std::string> paths;
  for (const QString& path : *chosen) paths.push_back(PathFromQString(path));
  return paths;
}

void TMainForm::EncBitBtnClick() { StartBatchFromDialog(TBatchMode::kEncrypt); }
void TMainForm::DecBitBtnClick() { StartBatchFromDialog(TBatchMode::kDecrypt); }
void TMainForm::WipeBitBtnClick() { StartBatchFromDialog(TBatchMode::kWipe); }

void TMainForm::OptionBitBtnClick() {
  hide();
  emit OptionsRequested();
}

}  // namespace zk
