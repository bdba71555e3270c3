#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <cstring>

namespace vx {

namespace {

// Texts of Qt's dialogs that Qt's own Chinese catalogue does not hold.
class MissingQtTexts : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    if (std::strcmp(context, "QAbstractFileIconProvider") == 0) {
      if (std::strcmp(source, "Folder") == 0) return QString::fromUtf8("文件夹");
      if (std::strcmp(source, "Drive") == 0) return QString::fromUtf8("驱动器");
      if (std::strcmp(source, "File") == 0) return QString::fromUtf8("文件");
    }
    return {};
  }
};

bool isChinese(const char* name) { return name && std::strncmp(name, "zh", 2) == 0; }

}  // namespace

void PreferChineseDates() {
  // The file dialogs write dates in the system locale's form; a desktop
  // set to another language would show English dates in a Chinese dialog.
  const char* all = std::getenv("LC_ALL");
  if (all && *all) {
    if (!isChinese(all)) setenv("LC_ALL", "zh_CN.UTF-8", 1);
    return;
  }
  const char* time = std::getenv("LC_TIME");
  const char* lang = std::getenv("LANG");
  if (!isChinese(time && *time ? time : lang)) setenv("LC_TIME", "zh_CN.UTF-8", 1);
}

bool InstallChineseTranslations(QCoreApplication& app) {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  QLocale::setDefault(chinese);
  // Installed first, asked last: Qt's catalogue answers what it holds.
  QCoreApplication::installTranslator(new MissingQtTexts(&app));
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
