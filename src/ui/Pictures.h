// The program's pictures, drawn from their SVG sources at the size and pixel ratio asked for.
#pragma once

#include <QIcon>

namespace zk {

enum class TPicture { kProgram, kEncrypt, kDecrypt, kWipeBin };

QIcon Picture(TPicture picture);

}  // namespace zk
