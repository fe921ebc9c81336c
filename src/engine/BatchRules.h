// The rules of a batch run that need no window, one row at a time, shared by the desktop program and
// zkcli. The caller walks its rows, shows StatusLine before each, puts Text() + path in the row
// and counts the failed rows for SummaryText.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "OutputNames.h"
#include "PreparedOutput.h"
#include "ResultTexts.h"

namespace zk {

class TFileEngine;

struct TBatchOptions {
  std::string Password;  // UTF-8
  std::string Hint;      // UTF-8; written into every container of the run
  int32_t Algorithm = 0;
  int NamingMode = 0;  // 0 ".enc", 1 own extension, 2 random name + own extension
  std::string OwnExtension = ".bmp";
  bool WipeSource = false;           // wipe the plain file after a successful encryption
  bool WipeDecryptedSource = false;  // wipe the container after a successful decryption
  // The single-file form: the container's path as given (the "_RENAMED" rule still keeps an existing
  // file) instead of the one the naming mode forms.
  std::string ExplicitOutput;
  // A wipe's success says when the overwrite may have missed the old data (the list); zkcli's lines stay
  // the plain success, which scripts parse.
  bool WipeNamesOverwriteDoubt = false;
};

enum class TBatchMode { kEncrypt = 0, kDecrypt = 1, kWipe = 2 };

struct TRowResult {
  TRowResult(TResultKind kind = TResultKind::kUnexpectedError, std::string outputPath = {},
             std::string linkTarget = {})
      : Kind(kind), OutputPath(std::move(outputPath)), LinkTarget(std::move(linkTarget)) {}

  TResultKind Kind;
  std::string OutputPath;  // after a successful encryption or decryption: where the output now stands
  std::string LinkTarget;     // for a source that was a link: the file it led to, which remains
  std::string Cause;          // for a failure: why, e.g. "cannot write a.txt.enc: No space left on device"; empty when unknown

  bool Failed() const { return IsFailure(Kind); }
  // What the row shows before the path, as a sentence to render (translated in the desktop program).
  TText Sentence() const { return ResultSentence(Kind, LinkTarget); }
  // The same in the core's own text.
  std::string Text() const { return RenderText(Sentence()); }
};

// A row after its heavy part (reading, ciphering, writing and flushing the output without its final name):
// either done already (a refusal, a failure, a wipe) or an output that CommitRow names next. A batch run on
// several threads prepares rows at once and commits them in list order on one thread.
struct TPreparedRow {
  TPreparedRow(TRowResult done = {}) : Done(std::move(done)) {}  // NOLINT: a row done in its preparation
  TPreparedRow(TPreparedOutput output, bool wipeSource)
      : Output(std::move(output)), WipeSource(wipeSource) {}

  TRowResult Done;                       // the result, when there is no Output
  std::optional<TPreparedOutput> Output;  // an encryption's or decryption's output waiting for its name
  bool WipeSource = false;               // once named, the source is wiped
};

inline constexpr int kNamingStandard = 0;
inline constexpr int kNamingOwnExtension = 1;
inline constexpr int kNamingRandom = 2;
// Names whose last component has this many CP932 bytes or more are refused before any work.
inline constexpr size_t kMaxNameBytes = 200;

// What the confirmation list asks before a run: 以上3個のファイルを暗号化します。…
TText ConfirmationText(TBatchMode mode, int count);
// The kStatus… text of a mode's status line.
std::string_view StatusTemplate(TBatchMode mode);
// The status line of one of the kStatus… texts, number counting from 1: [2/5Files]/data/a.txtを暗号化中
TText StatusLine(int number, int count, std::string_view path, std::string_view status);
// The same for the rows first..last in progress at once: [3-4/200Files]/data/c.txtを暗号化中
TText StatusLine(int first, int last, int count, std::string_view path, std::string_view status);
// "終了しました。　失敗数 : 3個", or "全てのファイル/フォルダを正常に処理しました。" without failures.
TText SummaryText(int failCount);

// The last path component counts kMaxNameBytes or more in CP932 (a double-byte character counts two).
bool NameTooLong(std::string_view path);
// The output name asked for in encryption; empty for an unknown naming mode.
std::optional<TOutputName> ProposedOutputName(std::string_view path, int namingMode,
                                              std::string_view ownExtension);

// Encrypts one row and, on success and when asked, wipes its source once the container is safely on disk,
// and only when it is still exactly the file that was read (never when the output is the source itself).
// A wipe that fails, finds the source changed, a link or a file with other hard links gives the row its
// own kind (the output stands in every case). A failure names its cause.
TRowResult EncryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options);
// Decrypts one row; on success wipes the container when asked, as EncryptRow wipes its source.
TRowResult DecryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options);
// The two steps of EncryptRow and DecryptRow: the heavy part, and the naming, source wipe and result, which
// CommitRow does with the engine of the thread that commits (its observer hears of the source wipe).
TPreparedRow PrepareEncryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options);
TPreparedRow PrepareDecryptRow(TFileEngine& engine, const std::string& path, const TBatchOptions& options);
TRowResult CommitRow(TFileEngine& engine, TPreparedRow&& row);
// Wipes one row. With `nameOverwriteDoubt` a success where the overwrite may miss the old data says so in
// its text (the desktop list); without it the text stays the plain success (zkcli's lines, which scripts
// parse).
TRowResult WipeRow(TFileEngine& engine, const std::string& path, bool nameOverwriteDoubt = false);
// The second confirmation of a wipe batch, with a line more when some file lies where the overwrite may
// miss the old data.
TText WipeWarningText(bool anyOverwriteDoubt);
// The file lies where overwriting it in place may miss its old data (see OverwriteReach).
bool OverwriteMayMissOldData(const std::string& path);
// Encrypts again the plain file a decryption row left behind (its DecryptedPath); a row that was not
// decrypted has none and fails with kReEncryptNotDecrypted.
TRowResult ReEncryptRow(TFileEngine& engine, const std::string& decryptedPath, const TBatchOptions& options);
TPreparedRow PrepareReEncryptRow(TFileEngine& engine, const std::string& decryptedPath,
                                 const TBatchOptions& options);

}  // namespace zk
