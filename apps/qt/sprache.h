// Everything a person reads in vk-host is German, Qt's own texts too ("Schließen", "Abbrechen", the
// file dialog, the command line's help): Qt's German translations (Debian qt6-translations-l10n).
#pragma once

#include <QString>

class QCoreApplication;

namespace vkhost {

// Loads Qt's German translations into the application; false when they are not installed.
bool QtDeutschLaden(QCoreApplication& app);

// The program's version ("1.0.0"), and what the dialogs' version label shows of it ("V 1.0.0").
QString Programmversion();
QString Versionstext();

}  // namespace vkhost
