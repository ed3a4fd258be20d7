#include "dienste/einstellungen.h"

#include <QSettings>

namespace vkhost {

namespace {
QString Schlüssel(const std::string& abschnitt, const std::string& schluessel) {
    return QString::fromStdString(abschnitt) + "/" + QString::fromStdString(schluessel);
}
QString Anwendung(const std::string& anwendung) { return QString::fromStdString(anwendung); }
}  // namespace

std::string QtEinstellungen::Lesen(const std::string& anwendung, const std::string& abschnitt,
                                   const std::string& schluessel, const std::string& vorgabe) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, Anwendung(anwendung), Anwendung(anwendung));
    return s.value(Schlüssel(abschnitt, schluessel), QString::fromStdString(vorgabe)).toString().toStdString();
}

void QtEinstellungen::Schreiben(const std::string& anwendung, const std::string& abschnitt,
                                const std::string& schluessel, const std::string& wert) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, Anwendung(anwendung), Anwendung(anwendung));
    s.setValue(Schlüssel(abschnitt, schluessel), QString::fromStdString(wert));
    s.sync();
}

}  // namespace vkhost
