#include "ui/PathFont.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

namespace zk {
namespace {

TUiLanguage pathLanguage = TUiLanguage::kJapanese;

}  // namespace

void UsePathFontFor(TUiLanguage language) { pathLanguage = language; }

void ApplyPathFont(QWidget& widget) {
  if (pathLanguage != TUiLanguage::kEnglish) return;
  // Debian's fontconfig always brings one of the first three.
  const QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                             QStringLiteral("Noto Sans"), QStringLiteral("IPAPGothic")};
  QFont font = widget.font();
  font.setFamily(families.first());  // else the window's family would still come first
  font.setFamilies(families);
  widget.setFont(font);
}

}  // namespace zk
