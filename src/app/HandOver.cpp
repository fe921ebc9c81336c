#include "app/HandOver.h"

#include <QDataStream>
#include <QLocalSocket>

#include "platform/SingleInstance.h"
#include "ui/QtText.h"

namespace zk {
namespace {

constexpr quint32 kMagic = 0x5A4B4831;  // "ZKH1"
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
constexpr int kWaitMs = 5000;
// Thousands of long paths fit; more than this is no hand-over from zk.
constexpr qint64 kMaxMessageBytes = 64 << 20;
const QByteArray kTaken = QByteArrayLiteral("1");

bool IsMode(qint32 mode) {
  return mode == static_cast<qint32>(TBatchMode::kEncrypt) || mode == static_cast<qint32>(TBatchMode::kDecrypt) ||
         mode == static_cast<qint32>(TBatchMode::kWipe);
}

}  // namespace

bool SendHandOver(const std::string& socketPath, const THandOver& handOver) {
  QLocalSocket socket;
  socket.connectToServer(PathToQString(socketPath));
  if (!socket.waitForConnected(kWaitMs) || !PeerIsSameUser(static_cast<int>(socket.socketDescriptor())))
    return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out.setVersion(kStreamVersion);
  QList<QByteArray> paths;
  for (const std::string& path : handOver.Paths) paths << QByteArray::fromStdString(path);
  out << kMagic << static_cast<qint32>(handOver.Mode) << paths;
  socket.write(message);
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(kWaitMs)) return false;
  while (socket.bytesAvailable() < kTaken.size())
    if (!socket.waitForReadyRead(kWaitMs)) return false;
  return socket.read(kTaken.size()) == kTaken;
}

THandOverServer::THandOverServer(const std::string& socketPath) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  const QString name = PathToQString(socketPath);
  if (!server_.listen(name) && server_.serverError() == QAbstractSocket::AddressInUseError) {
    QLocalServer::removeServer(name);
    server_.listen(name);
  }
  connect(&server_, &QLocalServer::newConnection, this, &THandOverServer::Accept);
}

void THandOverServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!PeerIsSameUser(static_cast<int>(socket->socketDescriptor()))) {
      socket->abort();
      continue;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(*socket); });
    Read(*socket);
  }
}

void THandOverServer::Read(QLocalSocket& socket) {
  QDataStream in(&socket);
  in.setVersion(kStreamVersion);
  in.startTransaction();
  quint32 magic = 0;
  qint32 mode = -1;
  QList<QByteArray> paths;
  in >> magic >> mode >> paths;
  if (!in.commitTransaction()) {
    // Not all there yet; a message that grows beyond reason, or is no hand-over at all, is dropped.
    if (in.status() == QDataStream::ReadCorruptData || socket.bytesAvailable() > kMaxMessageBytes)
      socket.abort();
    return;
  }
  if (magic != kMagic || !IsMode(mode)) {
    socket.abort();
    return;
  }
  socket.write(kTaken);
  socket.flush();
  socket.disconnectFromServer();
  THandOver handOver{static_cast<TBatchMode>(mode), {}};
  for (const QByteArray& path : paths) handOver.Paths.push_back(path.toStdString());
  emit Received(handOver);
}

}  // namespace zk
