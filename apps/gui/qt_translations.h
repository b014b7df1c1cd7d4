// Qt's own texts (the buttons and labels of file dialogs and message boxes) in German, as the rest
// of the program speaks.
#pragma once

class QCoreApplication;

namespace zelvora::gui {

// Installs Qt's German translations (Debian qt6-translations-l10n) into the application; false
// when they are not installed, and Qt's dialogs then stay English.
bool InstallGermanQtTranslations(QCoreApplication& application);

} // namespace zelvora::gui
