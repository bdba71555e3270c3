#pragma once
// The program speaks Chinese: Qt's own texts (the buttons of message boxes
// and dialogs) and the dates it shows.
#include <QDate>
#include <QString>

class QCoreApplication;

namespace vx {

// Makes the system locale's dates Chinese for Qt's own dialogs; runs
// before the application object is created.
void PreferChineseDates();

// Loads Qt's Chinese translations and makes Chinese the default locale.
// False when the translations are not installed.
bool InstallChineseTranslations(QCoreApplication& app);

// A date in the Chinese short form: 2026/12/9.
QString ChineseShortDate(const QDate& date);

}  // namespace vx
