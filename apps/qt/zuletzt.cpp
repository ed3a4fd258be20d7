#include "zuletzt.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace vkhost {

namespace {
constexpr int kAnzahl = 8;
constexpr char kTrenner = '\t';
QSettings Einstellungen() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "KalVerwaltung", "vk-host"); }
}  // namespace

std::vector<ZuletztGeöffnet> ZuletztLesen() {
    std::vector<ZuletztGeöffnet> liste;
    for (const QString& zeile : Einstellungen().value("Zuletzt/Rechnungen").toStringList()) {
        const QStringList teile = zeile.split(kTrenner);
        bool ok = false;
        const int rechnung = teile.size() == 3 ? teile[1].toInt(&ok) : 0;
        if (ok) liste.push_back({teile[0], rechnung, teile[2]});
    }
    return liste;
}

void ZuletztMerken(const ZuletztGeöffnet& eintrag) {
    std::vector<ZuletztGeöffnet> liste = ZuletztLesen();
    std::erase(liste, eintrag);
    liste.insert(liste.begin(), eintrag);
    if (liste.size() > kAnzahl) liste.resize(kAnzahl);
    QStringList zeilen;
    for (const ZuletztGeöffnet& e : liste) zeilen << QStringList{e.datenbank, QString::number(e.rechnung), e.dokument}.join(kTrenner);
    QSettings s = Einstellungen();
    s.setValue("Zuletzt/Rechnungen", zeilen);
}

}  // namespace vkhost
