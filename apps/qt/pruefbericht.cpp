#include "pruefbericht.h"

#include <QStringList>

#include "textfenster.h"

namespace vkhost {

std::vector<long> AbweichendeTabellen(const vk::Prüfbericht& bericht) {
    std::vector<long> tabellen;
    for (const vk::Tabellenbefund& t : bericht.tabellen)
        if (t.ergebnis == vk::Prüfergebnis::WeichtAb || t.ergebnis == vk::Prüfergebnis::NichtGeprüft) tabellen.push_back(t.tabelle);
    if (!bericht.summen.empty() && bericht.summentabelle) tabellen.push_back(bericht.summentabelle);
    return tabellen;
}

void PrüfberichtZeigen(QWidget* eltern, const vk::Prüfbericht& bericht) {
    QStringList zeilen;
    for (const std::string& zeile : vk::Berichtszeilen(bericht)) zeilen << QString::fromStdString(zeile);
    Textfenster f;
    f.name = "Pruefbericht";
    f.titel = "Rechnung prüfen";
    if (bericht.Stimmt()) f.kopf = "Die Rechnung stimmt mit der Gebührenordnung und ihren Summen überein.";
    else if (AbweichendeTabellen(bericht).empty()) f.kopf = "Die Rechnung weicht ab oder ist nicht ganz geprüft (siehe unten).";
    else f.kopf = "Die Rechnung weicht ab oder ist nicht ganz geprüft; die betroffenen Tabellen sind in der Vorschau markiert.";
    f.text = zeilen.join("\n");
    f.textName = "Bericht";
    f.größe = QSize(760, 420);
    TextfensterZeigen(eltern, f);
}

}  // namespace vkhost
