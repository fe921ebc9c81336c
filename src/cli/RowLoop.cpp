#include "cli/RowLoop.h"

#include "cli/Commands.h"
#include "engine/Batch.h"
#include "platform/Cores.h"

namespace zk::cli {
namespace {

class TRowPrinter : public TBatchRowsObserver {
 public:
  TRowPrinter(const TBatch& batch, TConsole& console, TResultOutput& output, TOverwriteNotes* notesPerRow)
      : batch_(batch), console_(console), output_(output), notesPerRow_(notesPerRow) {}

  // One after another this comes before the row's work, on the calling thread: the row's note fits here.
  void RowsInProgress(int first, int last) override {
    const std::string& path = batch_.Rows()[first].Path;
    if (notesPerRow_) notesPerRow_->BeforeWipe(path);
    console_.StartFiles(first + 1, last + 1, batch_.Count(), path, StatusTemplate(batch_.Mode()));
  }
  void RowDone(int row, const TRowResult& result) override { output_.Row(batch_.Rows()[row].Path, result); }
  void Progress(const TProgress& progress) override { console_.Progress(progress); }

 private:
  const TBatch& batch_;
  TConsole& console_;
  TResultOutput& output_;
  TOverwriteNotes* notesPerRow_;
};

}  // namespace

int RunBatch(TBatchMode mode, const std::vector<std::string>& files, const TBatchOptions& options,
             TConsole& console, TResultOutput& output, int jobs, TFileEngine& engine,
             TOverwriteNotes* wipeNotes) {
  const int workers = jobs > 0 ? jobs : AvailableCores();
  TBatch batch(mode);
  batch.Add(files);
  // The workers never print: with several at once, every note comes before the first row.
  const bool notesFirst = wipeNotes && workers > 1;
  if (notesFirst)
    for (const std::string& path : files) wipeNotes->BeforeWipe(path);
  TRowPrinter printer(batch, console, output, notesFirst ? nullptr : wipeNotes);
  batch.Run(workers, engine, options, printer);
  return batch.FailureCount() ? kExitSomeFailed : kExitSuccess;
}

}  // namespace zk::cli
