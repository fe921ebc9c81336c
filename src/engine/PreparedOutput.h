// An encryption's or decryption's output between its heavy part and its naming (TFileEngine::Prepare*,
// TFileEngine::CommitOutput).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "OutputNames.h"
#include "PendingOutput.h"
#include "ResultTexts.h"
#include "platform/File.h"

namespace zk {

// Movable; an output never named is removed when this goes (a plain text overwritten first).
struct TPreparedOutput {
  bool Decryption = false;
  TResultKind Kind = TResultKind::kUnexpectedError;  // the success while Output waits for its name
  std::string Cause;                                 // for a failure: why, when known
  std::string SourceName;
  std::string OutputName;  // the name asked for; once committed, the name given
  int32_t FileDate = -1;
  bool OutputIsStream = false;
  std::optional<TFileSnapshot> SourceSnapshot;  // see TFileEngine::LastSourceSnapshot
  // How the final name is chosen; none for an explicit output, which keeps its path.
  std::optional<TOutputName> Name;
  std::unique_ptr<TPendingOutput> Output;  // written and flushed, without its final name
};

}  // namespace zk
