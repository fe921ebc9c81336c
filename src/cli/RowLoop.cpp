#include "cli/RowLoop.h"

#include "cli/Commands.h"
#include "engine/BatchRunner.h"
#include "platform/Cores.h"

namespace zk::cli {
namespace {

class TRowPrinter : public TBatchRowsObserver {
 public:
  TRowPrinter(const std::vector<std::string>& files, std::string_view statusSuffix, Console& console,
              ResultOutput& output)
      : files_(files), statusSuffix_(statusSuffix), console_(console), output_(output) {}

  void RowsInProgress(int first, int last) override {
    console_.StartFiles(first + 1, last + 1, static_cast<int>(files_.size()), files_[first], statusSuffix_);
  }
  void RowDone(int row, const TRowResult& result) override {
    if (result.Failed()) ++failures_;
    output_.Row(files_[row], result);
  }
  void Progress(const TProgress& progress) override { console_.Progress(progress); }

  int Failures() const { return failures_; }

 private:
  const std::vector<std::string>& files_;
  std::string_view statusSuffix_;
  Console& console_;
  ResultOutput& output_;
  int failures_ = 0;
};

}  // namespace

int RunRows(const std::vector<std::string>& files, std::string_view statusSuffix, Console& console,
            ResultOutput& output, int jobs, TFileEngine& engine, OverwriteNotes* wipeNotes,
            const std::function<TPreparedRow(TFileEngine& engine, const std::string& path)>& row) {
  const int workers = jobs > 0 ? jobs : AvailableCores();
  // The workers never print: with several at once, every note comes before the first row.
  const bool notesFirst = wipeNotes && workers > 1;
  if (notesFirst)
    for (const std::string& path : files) wipeNotes->BeforeWipe(path);
  TRowPrinter printer(files, statusSuffix, console, output);
  RunBatchRows(
      workers, engine, files,
      [&](TFileEngine& rowEngine, int index) {
        if (wipeNotes && !notesFirst) wipeNotes->BeforeWipe(files[index]);
        return row(rowEngine, files[index]);
      },
      printer);
  return printer.Failures() ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
