#include "dialogs/ConfirmationDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "engine/PasswordStrength.h"
#include "engine/ResultTexts.h"
#include "ui/CoreTexts.h"
#include "ui/DialogFrame.h"
#include "ui/PathFont.h"
#include "ui/Prompts.h"
#include "ui/QtText.h"
#include "ui/SecretText.h"
#include "ui_ConfirmationDlg.h"

namespace zk {
namespace {

enum TColumn { kPathColumn = 0, kHintColumn = 1, kDecryptedColumn = 2 };
// The columns' widths at the least; they grow to fit what the list shows.
constexpr int kColumnWidths[] = {450, 200, 200};
constexpr int kProgressRedrawMilliseconds = 40;

QString CaptionOf(TBatchMode mode) {
  switch (mode) {
    case TBatchMode::kEncrypt:
      return TConfirmationDlg::tr("ファイルの暗号化");
    case TBatchMode::kDecrypt:
      return TConfirmationDlg::tr("ファイルの復号");
    case TBatchMode::kWipe:
      return TConfirmationDlg::tr("ファイルの抹消");
  }
  return {};
}

}  // namespace

TConfirmationDlg::TConfirmationDlg(TSettings& settings)
    : QDialog(nullptr, kCaptionOnlyDialog),
      settings_(settings),
      ui_(std::make_unique<Ui::TConfirmationDlg>()),
      stayOnTop_(*this, false) {
  ui_->setupUi(this);
  setFixedSize(size());
  QHeaderView* header = ui_->ListView->horizontalHeader();
  header->setSectionsClickable(false);
  for (int column = 0; column < 3; ++column) header->resizeSection(column, kColumnWidths[column]);
  ui_->ListView->installEventFilter(this);
  ApplyPathFont(*ui_->ListView);

  connect(ui_->OKBitBtn, &QPushButton::clicked, this, &TConfirmationDlg::OKBitBtnClick);
  connect(ui_->CloseBitBtn, &QPushButton::clicked, this, &TConfirmationDlg::close);
  connect(ui_->SkipWipeBitBtn, &QPushButton::clicked, this, &TConfirmationDlg::SkipWipeBitBtnClick);
  connect(ui_->ReEncBitBtn, &QPushButton::clicked, this, &TConfirmationDlg::ReEncBitBtnClick);

  engine_.Observer = this;
  engine_.ProcessMsgInterval = settings_.ProcessMsgIntv;
}

TConfirmationDlg::~TConfirmationDlg() = default;

void TConfirmationDlg::ShowRows() {
  ui_->ListView->setRowCount(batch_.Count());
  for (int row = 0; row < batch_.Count(); ++row) ShowRow(row);
}

void TConfirmationDlg::ShowRow(int row) {
  const TBatchRow& shown = batch_.Rows()[row];
  const QString path = DisplayQString(shown.Path);
  SetColumnText(row, kPathColumn, shown.Result ? CoreText(shown.Result->Sentence()) + path : path);
  // The row text is the one the user knows; why a row failed is told beside it.
  if (shown.Result && !shown.Result->Cause.empty()) {
    QTableWidgetItem& item = *ui_->ListView->item(row, kPathColumn);
    item.setToolTip(item.toolTip() + '\n' + DisplayQString(shown.Result->Cause));
  }
  // A hint shows its control characters visibly, as a path does: one row stays one line, whatever a
  // crafted container holds.
  SetColumnText(row, kHintColumn, shown.HintRead ? CoreText(HintText(shown.Hint)) : QString());
  SetColumnText(row, kDecryptedColumn, DisplayQString(shown.DecryptedPath));
}

void TConfirmationDlg::SetColumnText(int row, int column, const QString& text) {
  QTableWidget& list = *ui_->ListView;
  QTableWidgetItem* item = list.item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    list.setItem(row, column, item);
  }
  item->setText(text);
  // A text cut at the end of its column is read whole from its tool tip.
  item->setToolTip(text);
}

void TConfirmationDlg::FitColumns() {
  QTableWidget& list = *ui_->ListView;
  for (int column = 0; column < list.columnCount(); ++column) {
    list.resizeColumnToContents(column);
    if (list.columnWidth(column) < kColumnWidths[column]) list.setColumnWidth(column, kColumnWidths[column]);
  }
}

void TConfirmationDlg::SetRunRequest(TRunRequest& request) {
  autoRun_ = request.AutoRun;
  exitAfterRun_ = request.ExitAfterRun;
  password_.Assign(request.Password);
  TSecretText::Erase(request.Password);
}

void TConfirmationDlg::StartBatch(TBatchMode mode, const std::vector<std::string>& files, QWidget& caller) {
  TBatch batch(mode);
  batch.AddShowingHints(files, engine_);
  Start(std::move(batch), caller);
}

void TConfirmationDlg::Start(TBatch batch, QWidget& caller) {
  batch_ = std::move(batch);
  ShowRows();
  caller.hide();
  returnForm_ = &caller;
  CenterOnScreen(*this);
  show();
  PrepareList();
}

void TConfirmationDlg::PrepareList() {
  if (prepared_) return;
  listEditable_ = true;
  ui_->CloseBitBtn->setText(tr("キャンセル"));
  ui_->OKBitBtn->show();
  SetReEncButton(false);
  const TBatchMode mode = batch_.Mode();
  ui_->Label1->setText(CoreText(ConfirmationText(mode, batch_.Count())));
  setWindowTitle(CaptionOf(mode));
  const bool decrypting = mode == TBatchMode::kDecrypt;
  QTableWidget& list = *ui_->ListView;
  list.horizontalHeaderItem(kHintColumn)->setText(decrypting ? tr("パスワードヒント") : QString());
  list.horizontalHeaderItem(kDecryptedColumn)->setText(decrypting ? tr("復号後ファイル名") : QString());
  FitColumns();
  prepared_ = true;
  // Every list opens alike: the focus in the list, Return for OK (a run before moved both to Close).
  ui_->OKBitBtn->setDefault(true);
  ui_->ListView->setFocus();
  if (autoRun_) OKBitBtnClick();
  activateWindow();
  stayOnTop_.SetStayOnTop(true);
}

bool TConfirmationDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->ListView && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    RemoveSelectedRows();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TConfirmationDlg::RemoveSelectedRows() {
  if (!listEditable_) return;
  std::vector<int> rows;
  for (const QModelIndex& index : ui_->ListView->selectionModel()->selectedRows())
    rows.push_back(index.row());
  if (rows.empty()) return;
  batch_.Remove(std::move(rows));
  ShowRows();
  prepared_ = false;
  PrepareList();
}

void TConfirmationDlg::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  prepared_ = false;
  listEditable_ = false;
  event->accept();
  if (returnForm_) returnForm_->show();
}

void TConfirmationDlg::reject() { close(); }

bool TConfirmationDlg::AnyOverwriteDoubt() const {
  return std::any_of(batch_.Rows().begin(), batch_.Rows().end(),
                     [](const TBatchRow& row) { return OverwriteMayMissOldData(row.Path); });
}

void TConfirmationDlg::OKBitBtnClick() {
  const TBatchMode mode = batch_.Mode();
  if (mode == TBatchMode::kWipe && !autoRun_ &&
      !prompts::Confirm(this, CoreText(WipeWarningText(AnyOverwriteDoubt()))))
    return;
  if (mode != TBatchMode::kWipe && !autoRun_ && !batch_.ReEncrypting() && !AskPassword()) return;
  RunBatch();
}

bool TConfirmationDlg::AskPassword() {
  return passwordPrompt_ &&
         passwordPrompt_(batch_.Mode() != TBatchMode::kEncrypt, password_, settings_.PassHint);
}

TBatchOptions TConfirmationDlg::CurrentOptions() const {
  TBatchOptions options;
  options.Password = password_.Text();
  options.Hint = settings_.PassHint;
  options.Algorithm = settings_.Algorithm;
  options.NamingMode = settings_.NamingMode();
  options.OwnExtension = settings_.OwnExtStr;
  options.WipeSource = settings_.WipeSource;
  options.WipeDecryptedSource = settings_.WipeDecSource;
  options.WipeNamesOverwriteDoubt = true;
  return options;
}

// A run locks the list and its buttons. The window itself stays enabled, so that the skip button can be
// offered during each source wipe without enabling, disabling and so redrawing the whole window (the long
// list included) around every file.
void TConfirmationDlg::SetLocked(bool locked) {
  ui_->ListView->setEnabled(!locked);
  ui_->OKBitBtn->setEnabled(!locked);
  ui_->CloseBitBtn->setEnabled(!locked);
}

void TConfirmationDlg::RunBatch() {
  running_ = true;
  SetLocked(true);
  skipRequested_ = false;
  TBatchOptions options = CurrentOptions();
  batch_.Run(workers_, engine_, options, *this);
  TSecretText::Erase(options.Password);
  if (batch_.HintCarriedOver()) settings_.PassHint = *batch_.HintCarriedOver();
  if (batch_.CanReEncrypt() && settings_.ReEnc) SetReEncButton(true);
  FinishRun();
}

void TConfirmationDlg::RowsInProgress(int first, int last) {
  const TBatchMode mode = batch_.Mode();
  const std::string& path = batch_.Rows()[first].Path;
  // A name too long for the status line is not shown there while decrypting.
  if (mode == TBatchMode::kDecrypt && NameTooLong(path)) return;
  setWindowTitle(CoreText(StatusLine(first + 1, last + 1, batch_.Count(), path, StatusTemplate(mode))));
  if (mode != TBatchMode::kDecrypt) QCoreApplication::processEvents();
}

void TConfirmationDlg::RowDone(int row, const TRowResult&) { ShowRow(row); }

bool TConfirmationDlg::SkipWipesRequested() { return std::exchange(skipRequested_, false); }

// While a source is wiped the skip button is the one control that may be used; the rest stay locked.
void TConfirmationDlg::SourceWipeInProgress(bool inProgress) {
  sourceWiping_ = inProgress;
  if (inProgress) return;
  skipRequested_ = false;  // a click that came too late must not skip the next wipe
  ShowSkipButton(false);
}

void TConfirmationDlg::FinishRun() {
  if (!settings_.ReEnc) password_.Clear();
  if (!settings_.SaveHint) settings_.PassHint.clear();
  listEditable_ = false;
  const QString summary = CoreText(batch_.Summary());
  setWindowTitle(summary);
  ui_->ListView->horizontalHeaderItem(kHintColumn)->setText(QString());
  ui_->Label1->setText(summary);
  ui_->CloseBitBtn->setText(tr("閉じる"));
  ui_->ProgressBar->hide();
  FitColumns();
  SetLocked(false);
  ui_->OKBitBtn->hide();
  ui_->CloseBitBtn->setFocus();
  running_ = false;
  if (exitAfterRun_ || autoRun_) {
    close();
    emit ProgramEndRequested();
  }
}

void TConfirmationDlg::ReEncBitBtnClick() {
  if (!settings_.ReEnc) return;
  // The files are encrypted anew with the decryption's password: how long it would hold comes with the
  // question.
  const QString strength = CoreText(StrengthText(EstimateStrength(password_.Text())));
  if (!prompts::Confirm(this, tr("これらの復号済みのファイルを復号時のパスワードとヒントで再暗号化します。よ"
                                 "ろしいですか？\r\n（※注意！：再暗号化の際は当該ファイルが使用中であったり、"
                                 "削除、移動、置き換え等されていないかご確認下さい。）") +
                                  QStringLiteral("\r\n") + strength))
    return;
  batch_.BeginReEncryption();
  ShowRows();
  SetReEncButton(false);
  OKBitBtnClick();
}
void TConfirmationDlg::SkipWipeBitBtnClick() { skipRequested_ = true; }

void TConfirmationDlg::SetReEncButton(bool shown) {
  ui_->ReEncBitBtn->setVisible(shown);
  ui_->ReEncBitBtn->setEnabled(shown);
}

void TConfirmationDlg::Progress(const TProgress& progress) { progress_ = progress; }

void TConfirmationDlg::ProcessMessages() { LetEventsThrough(); }

void TConfirmationDlg::LetEventsThrough() {
  // The skip button can only be drawn and pressed while events come through, so it is shown then: the
  // source wipes of many small files, each over before any event is let through, do not show and hide it
  // (and redraw it) around every file.
  if (sourceWiping_) ShowSkipButton(true);
  // The line can only be drawn when events are let through, so it is set only then, and at most at the
  // rate an eye can follow: drawing it each time would cost a fast cipher a third of its speed.
  if (progress_ && (!progressShown_.isValid() || progressShown_.hasExpired(kProgressRedrawMilliseconds))) {
    ui_->Label1->setText(CoreText(ProgressLine(*progress_)));
    ui_->ProgressBar->setValue(static_cast<int>(ProgressPercent(*progress_)));
    ui_->ProgressBar->show();
    progressShown_.start();
  }
  QCoreApplication::processEvents();
}

void TConfirmationDlg::ShowSkipButton(bool shown) {
  if (ui_->SkipWipeBitBtn->isHidden() != shown) return;
  ui_->SkipWipeBitBtn->setVisible(shown);
  ui_->SkipWipeBitBtn->setEnabled(shown);
}

}  // namespace zk
