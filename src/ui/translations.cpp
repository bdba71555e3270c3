#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vx {

bool InstallChineseTranslations(QCoreApplication& app) {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  QLocale::setDefault(chinese);
  auto* translator = new QTranslator(&app);
  if (!translator->load(chinese, "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QString ChineseShortDate(const QDate& date) {
  return QLocale(QLocale::Chinese, QLocale::China).toString(date, QLocale::ShortFormat);
}

}  // namespace vx
