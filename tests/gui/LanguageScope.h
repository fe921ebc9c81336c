// The program's translation for one language, installed for as long as the scope lives.
#pragma once

#include <QCoreApplication>
#include <QTranslator>

#include "ui/Translations.h"

namespace zk::test {

class TLanguageScope {
 public:
  explicit TLanguageScope(TUiLanguage language)
      : translator_(language == TUiLanguage::kEnglish ? InstallTranslations(*qApp, language) : nullptr) {}
  ~TLanguageScope() {
    if (!translator_) return;
    QCoreApplication::removeTranslator(translator_);
    delete translator_;
  }
  TLanguageScope(const TLanguageScope&) = delete;
  TLanguageScope& operator=(const TLanguageScope&) = delete;

  // For English: whether the translation could be loaded.
  bool Loaded() const { return translator_ != nullptr; }

 private:
  QTranslator* translator_;
};

}  // namespace zk::test
