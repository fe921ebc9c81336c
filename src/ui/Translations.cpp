#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zk {

QTranslator* InstallTranslations(QCoreApplication& application, TUiLanguage language) {
  auto* translator = new QTranslator(&application);
  const bool loaded =
      language == TUiLanguage::kJapanese
          ? translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
          : translator->load(QStringLiteral(":/translations/zk_en.qm"));
  if (!loaded) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace zk
