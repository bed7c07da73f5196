#pragma once
// Qt's own texts (file, print and page dialogs, standard buttons) in the language of the
// windows, which is Japanese throughout.

class QCoreApplication;

namespace tvx::gui {

// Loads and installs Qt's "qtbase" translation for the system locale, or for Japanese when
// the locale is C/POSIX or has no translation. The translator is owned by `app`. False when
// no translation could be loaded (Qt's texts then stay English).
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace tvx::gui
