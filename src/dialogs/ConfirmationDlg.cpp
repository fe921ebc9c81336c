#include "dialogs/ConfirmationDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
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
// Each row keeps its paths as the file system spells them, and the hint its container holds, as data; the
// texts only show them (an unreadable hint shows an error text, which is no hint).
constexpr int kPathRole = Qt::UserRole;
constexpr int kHintRole = Qt::UserRole + 1;

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

void TConfirmationDlg::ClearList() { ui_->ListView->setRowCount(0); }

void TConfirmationDlg::AddFile(const std::string& path) {
  QTableWidget& list = *ui_->ListView;
  const int row = list.rowCount();
  list.insertRow(row);
  SetPathColumn(row, kPathColumn, path);
  const std::optional<std::string> hint =
      Mode == TBatchMode::kDecrypt ? engine_.ReadHint(path) : std::optional<std::string>();
  // A hint shows its control characters visibly, as a path does: one row stays one line, whatever a
  // crafted container holds.
  SetColumnText(row, kHintColumn,
                Mode == TBatchMode::kDecrypt ? CoreText(HintText(hint)) : QString());
  list.item(row, kHintColumn)->setData(kHintRole, QByteArray::fromStdString(hint.value_or("")));
  SetColumnText(row, kDecryptedColumn, QString());
}

int TConfirmationDlg::FileCount() const { return ui_->ListView->rowCount(); }

std::string TConfirmationDlg::FilePath(int row) const { return PathColumn(row, kPathColumn); }

std::string TConfirmationDlg::PathColumn(int row, int column) const {
  return ui_->ListView->item(row, column)->data(kPathRole).toByteArray().toStdString();
}

void TConfirmationDlg::SetPathColumn(int row, int column, const std::string& path) {
  SetColumnText(row, column, DisplayQString(path));
  ui_->ListView->item(row, column)->setData(kPathRole, QByteArray::fromStdString(path));
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

void TConfirmationDlg::StartBatch(TBatchMode mode, const std::vector<std::string>& files, QWidget& caller) {
  Mode = mode;
  ClearList();
  for (const std::string& file : files) AddFile(file);
  ShowFor(caller);
}

void TConfirmationDlg::ShowFor(QWidget& caller) {
  caller.hide();
  ReturnForm = &caller;
  CenterOnScreen(*this);
  show();
  PrepareList();
}

void TConfirmationDlg::PrepareList() {
  if (Prepared) return;
  ListEditable = true;
  ui_->CloseBitBtn->setText(tr("キャンセル"));
  ui_->OKBitBtn->show();
  SetReEncButton(false);
  ui_->Label1->setText(CoreText(ConfirmationText(Mode, FileCount())));
  setWindowTitle(CaptionOf(Mode));
  const bool decrypting = Mode == TBatchMode::kDecrypt;
  QTableWidget& list = *ui_->ListView;
  list.horizontalHeaderItem(kHintColumn)->setText(decrypting ? tr("パスワードヒント") : QString());
  list.horizontalHeaderItem(kDecryptedColumn)->setText(decrypting ? tr("復号後ファイル名") : QString());
  FitColumns();
  Prepared = true;
  // Every list opens alike: the focus in the list, Return for OK (a run before moved both to Close).
  ui_->OKBitBtn->setDefault(true);
  ui_->ListView->setFocus();
  if (AutoRun) OKBitBtnClick();
  activateWindow();
  stayOnTop_.SetStayOnTop(true);
}

bool TConfirmationDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->ListView && event->type() == QEvent::KeyPress) {
    auto& key = static_cast<QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Delete) {
      ListViewKeyDown(key);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TConfirmationDlg::ListViewKeyDown(QKeyEvent&) {
  QTableWidget& list = *ui_->ListView;
  if (!ListEditable) return;
  QModelIndexList selected = list.selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  std::sort(selected.begin(), selected.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() > b.row(); });
  for (const QModelIndex& index : selected) list.removeRow(index.row());
  Prepared = false;
  PrepareList();
}

void TConfirmationDlg::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  Prepared = false;
  ListEditable = false;
  event->accept();
  if (ReturnForm) ReturnForm->show();
}

void TConfirmationDlg::reject() { close(); }

bool TConfirmationDlg::AnyOverwriteDoubt() const {
  for (int row = 0; row < FileCount(); ++row)
    if (OverwriteMayMissOldData(FilePath(row))) return true;
  return false;
}

void TConfirmationDlg::OKBitBtnClick() {
  if (Mode == TBatchMode::kWipe && !AutoRun &&
      !prompts::Confirm(this, CoreText(WipeWarningText(AnyOverwriteDoubt()))))
    return;
  if (Mode != TBatchMode::kWipe && !AutoRun && !ReEncrypting && !AskPassword()) return;
  RunBatch();
}

bool TConfirmationDlg::AskPassword() {
  return PasswordPrompt && PasswordPrompt(Mode != TBatchMode::kEncrypt, Password, settings_.PassHint);
}

TBatchOptions TConfirmationDlg::CurrentOptions() const {
  TBatchOptions options;
  options.Password = Password.Text();
  options.Hint = settings_.PassHint;
  options.Algorithm = settings_.Algorithm;
  options.NamingMode = settings_.NamingMode();
  options.OwnExtension = settings_.OwnExtStr;
  options.WipeSource = settings_.WipeSource;
  options.WipeDecryptedSource = settings_.WipeDecSource;
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
  FailCount = 0;
  skipRequested_ = false;
  const int count = FileCount();
  rowPaths_.clear();
  rowSources_.clear();
  rowHints_.clear();
  for (int row = 0; row < count; ++row) {
    rowPaths_.push_back(FilePath(row));
    rowSources_.push_back(ReEncrypting ? PathColumn(row, kDecryptedColumn) : rowPaths_.back());
    rowHints_.push_back(
        ReEncrypting ? ui_->ListView->item(row, kHintColumn)->data(kHintRole).toByteArray().toStdString()
                     : "");
  }
  TBatchOptions options = CurrentOptions();
  // The rows run on the worker threads too: they read only what is prepared above, never a control.
  RunBatchRows(
      Workers, engine_, rowSources_,
      [&, mode = Mode, reEncrypting = ReEncrypting](TFileEngine& engine, int row) -> TPreparedRow {
        const std::string& path = rowSources_[row];
        switch (mode) {
          case TBatchMode::kEncrypt: {
            if (!reEncrypting) return PrepareEncryptRow(engine, path, options);
            TBatchOptions rowOptions = options;
            rowOptions.Hint = rowHints_[row];
            TPreparedRow result = PrepareReEncryptRow(engine, path, rowOptions);
            TSecretText::Erase(rowOptions.Password);
            return result;
          }
          case TBatchMode::kDecrypt:
            return PrepareDecryptRow(engine, path, options);
          case TBatchMode::kWipe:
            return WipeRow(engine, path, true);
        }
        return {};
      },
      *this);
  TSecretText::Erase(options.Password);
  if (Mode == TBatchMode::kDecrypt && settings_.ReEnc) SetReEncButton(true);
  FinishRun();
}

void TConfirmationDlg::RowsInProgress(int first, int last) {
  const std::string& path = rowPaths_[first];
  // A name too long for the status line is not shown there while decrypting.
  if (Mode == TBatchMode::kDecrypt && NameTooLong(path)) return;
  const std::string_view status = Mode == TBatchMode::kEncrypt   ? kStatusEncrypting
                                  : Mode == TBatchMode::kDecrypt ? kStatusDecrypting
                                                                 : kStatusWiping;
  setWindowTitle(
      CoreText(StatusLine(first + 1, last + 1, FileCount(), path, status)));
  if (Mode != TBatchMode::kDecrypt) QCoreApplication::processEvents();
}

void TConfirmationDlg::RowDone(int row, const TRowResult& result) {
  if (result.Failed()) ++FailCount;
  if (ReEncrypting) settings_.PassHint = rowHints_[row];
  if (!result.DecryptedPath.empty()) SetPathColumn(row, kDecryptedColumn, result.DecryptedPath);
  SetColumnText(row, kPathColumn,
                DisplayQString(result.Text(ShownCoreText)) + DisplayQString(rowPaths_[row]));
  // The row text is the one the user knows; why a row failed is told beside it.
  if (!result.Cause.empty()) {
    QTableWidgetItem& item = *ui_->ListView->item(row, kPathColumn);
    item.setToolTip(item.toolTip() + '\n' + DisplayQString(result.Cause));
  }
}

bool TConfirmationDlg::SkipWipesRequested() { return std::exchange(skipRequested_, false); }

// While a source is wiped the skip button is the one control that may be used; the rest stay locked.
void TConfirmationDlg::SourceWipeInProgress(bool inProgress) {
  sourceWiping_ = inProgress;
  if (inProgress) return;
  skipRequested_ = false;  // a click that came too late must not skip the next wipe
  ShowSkipButton(false);
}

void TConfirmationDlg::FinishRun() {
  if (!settings_.ReEnc) Password.Clear();
  if (!settings_.SaveHint) settings_.PassHint.clear();
  ListEditable = false;
  const QString summary = CoreText(SummaryText(FailCount));
  setWindowTitle(summary);
  ui_->ListView->horizontalHeaderItem(kHintColumn)->setText(QString());
  ui_->Label1->setText(summary);
  ui_->CloseBitBtn->setText(tr("閉じる"));
  ui_->ProgressBar->hide();
  FitColumns();
  SetLocked(false);
  ui_->OKBitBtn->hide();
  ui_->CloseBitBtn->setFocus();
  ReEncrypting = false;
  running_ = false;
  if (ExitAfterRun || AutoRun) {
    close();
    emit ProgramEndRequested();
  }
}

void TConfirmationDlg::ReEncBitBtnClick() {
  if (!settings_.ReEnc) return;
  // The files are encrypted anew with the decryption's password: how long it would hold comes with the question.
  const QString strength = CoreText(StrengthText(EstimateStrength(Password.Text())));
  if (!prompts::Confirm(this, tr("これらの復号済みのファイルを復号時のパスワードとヒントで再暗号化します。よ"
                                 "ろしいですか？\r\n（※注意！：再暗号化の際は当該ファイルが使用中であったり、"
                                 "削除、移動、置き換え等されていないかご確認下さい。）") +
                                  QStringLiteral("\r\n") + strength))
    return;
  for (int row = 0; row < FileCount(); ++row) {
    const std::string decrypted = PathColumn(row, kDecryptedColumn);
    // A row whose decryption failed keeps its container's path; the run marks it as not re-encrypted.
    if (!decrypted.empty()) SetPathColumn(row, kPathColumn, decrypted);
  }
  ReEncrypting = true;
  Mode = TBatchMode::kEncrypt;
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
