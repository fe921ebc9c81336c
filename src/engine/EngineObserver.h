// What the file engine tells the window (or the terminal) that runs it.
#pragma once

#include "Progress.h"

namespace zk {

class TEngineObserver {
 public:
  virtual ~TEngineObserver() = default;

  // Called where the progress line changes; ProgressLine() gives its text.
  virtual void Progress(const TProgress& progress) { (void)progress; }
  // Called at random, about once in ProcessMsgInterval runs or blocks: let pending window events through.
  // A wipe's skip request (TFileEngine::SkipWipeRequested) can only arrive from here.
  virtual void ProcessMessages() {}
  // Around the wipe of a source after a successful encryption or decryption: the only time the user may
  // ask to skip the rest of an overwrite.
  virtual void BeginSourceWipe() {}
  virtual void EndSourceWipe() {}
};

}  // namespace zk
