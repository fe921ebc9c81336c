// A second start of zk with files hands them to the running one instead of ending with "already running":
// over a local socket beside the single-instance lock, between processes of the same user only.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <string>
#include <vector>

#include "engine/BatchRules.h"

class QLocalSocket;

namespace zk {

// Files as a drop on the main window's button of `Mode` would bring them; paths are absolute.
struct THandOver {
  TBatchMode Mode = TBatchMode::kEncrypt;
  std::vector<std::string> Paths;
};

// Hands the files to the instance listening at `socketPath`; true once it has confirmed taking them.
bool SendHandOver(const std::string& socketPath, const THandOver& handOver);

class THandOverServer : public QObject {
  Q_OBJECT

 public:
  // Listens at `socketPath`. The caller holds the single-instance lock, so a socket file found there was
  // left by an instance that has ended and is replaced.
  explicit THandOverServer(const std::string& socketPath);

  bool Listening() const { return server_.isListening(); }

 signals:
  void Received(const zk::THandOver& handOver);

 private:
  void Accept();
  // Takes a whole message once it has arrived; an unreadable one ends the connection.
  void Read(QLocalSocket& socket);

  QLocalServer server_;
};

}  // namespace zk
