#include "GroupedFlush.h"

#include "platform/Durability.h"

namespace zk {

namespace {

TPendingOutput* Unflushed(TPreparedRow& row) {
  TPendingOutput* const output = row.Output ? row.Output->Output.get() : nullptr;
  return output && !output->Flushed() ? output : nullptr;
}

}  // namespace

void FlushTogether(const std::vector<TPreparedRow*>& rows) {
  if (rows.empty() || !Unflushed(*rows.front())) return;
  std::vector<TPendingOutput*> outputs;
  std::vector<int> descriptors;
  for (TPreparedRow* row : rows) {
    if (TPendingOutput* const output = Unflushed(*row)) {
      outputs.push_back(output);
      descriptors.push_back(output->Stream().Descriptor());
    }
  }
  if (!SyncFileSystems(descriptors)) return;
  for (TPendingOutput* output : outputs) output->FileSystemFlushed();
}

}  // namespace zk
