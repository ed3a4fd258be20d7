// The check's report as a person reads it: one finding per line, in a clerk's words.
#include <string>
#include <vector>

#include "document/Rechnungspruefung.h"

namespace vk {
namespace {

constexpr const char* kEinzug = "  ";

// One differing cell, or a row only one side has.
std::string Zelle(const Abweichung& a, const std::string& soll) {
    const std::string zeile = "Zeile " + std::to_string(a.zeile);
    if (a.spalte == 0)
        return a.fehltImDokument ? zeile + " fehlt im Dokument; " + soll + ": " + a.berechnet
                                 : zeile + " steht nur im Dokument (" + soll + " keine solche Zeile): " + a.dokument;
    // A cell a row lacks and an empty one read alike: the empty cells at a row's end are not compared.
    return zeile + ", Spalte " + std::to_string(a.spalte) + ": " + (a.dokument.empty() ? "leer" : a.dokument) +
           " im Dokument, " + (a.berechnet.empty() ? "leer" : a.berechnet) + " " + soll;
}

std::string Wert(const Wertabweichung& w, const char* wo, const std::string& soll) {
    const auto oderLeer = [](const std::string& s) { return s.empty() ? std::string("keiner") : s; };
    return w.bezeichnung + ": " + oderLeer(w.dokument) + " " + wo + ", " + oderLeer(w.berechnet) + " " + soll;
}

void Befund(std::vector<std::string>& zeilen, const std::string& kopf, const std::vector<std::string>& einzelne) {
    zeilen.push_back(kopf);
    for (const std::string& e : einzelne) zeilen.push_back(kEinzug + e);
}

}  // namespace

bool Prüfbericht::Stimmt() const {
    for (const Tabellenbefund& t : tabellen)
        if (t.ergebnis == Prüfergebnis::WeichtAb || t.ergebnis == Prüfergebnis::NichtGeprüft) return false;
    return summen.empty() && brieftexte.empty() && briefOhneKennung.empty() && datensatz.empty() && fehler.empty();
}

std::vector<std::string> Berichtszeilen(const Prüfbericht& bericht) {
    std::vector<std::string> zeilen;
    bool tabelleWeichtAb = false;
    for (const Tabellenbefund& t : bericht.tabellen) {
        std::string kopf = "Tabelle " + std::to_string(t.tabelle);
        if (!t.kategorie.empty()) kopf += ", " + t.kategorie;
        switch (t.ergebnis) {
        case Prüfergebnis::Stimmt: zeilen.push_back(kopf + ": stimmt"); break;
        case Prüfergebnis::WeichtAb: {
            tabelleWeichtAb = true;
            std::vector<std::string> einzelne;
            for (const Abweichung& a : t.abweichungen) einzelne.push_back(Zelle(a, "nach Gebührenordnung"));
            Befund(zeilen, kopf + ": weicht ab", einzelne);
            break;
        }
        case Prüfergebnis::NichtGeprüft: zeilen.push_back(kopf + ": nicht geprüft (" + t.grund + ")"); break;
        case Prüfergebnis::KeineGebührentabelle: zeilen.push_back(kopf + ": keine Gebührentabelle (" + t.grund + ")"); break;
        }
    }
    // What the totals are set against: the fee tables, and the user's settings where they changed.
    const std::string soll = bericht.einstellungen.empty() ? "nach den Gebührentabellen"
                             : tabelleWeichtAb ? "nach den Gebührentabellen und den Einstellungen des Benutzers"
                                               : "nach den Einstellungen des Benutzers";
    const std::string summe = bericht.summentabelle ? "Summentabelle (Tabelle " + std::to_string(bericht.summentabelle) + ")"
                                                    : std::string("Summentabelle (fehlt im Dokument)");
    if (bericht.summen.empty()) {
        zeilen.push_back(summe + ": stimmt");
    } else {
        std::vector<std::string> einzelne;
        for (const Abweichung& a : bericht.summen) einzelne.push_back(Zelle(a, soll));
        Befund(zeilen, summe + ": weicht ab", einzelne);
    }
    if (bericht.brieftexte.empty() && bericht.briefOhneKennung.empty()) {
        zeilen.push_back("Beträge im Brieftext: stimmen");
    } else {
        std::vector<std::string> einzelne;
        for (const Wertabweichung& w : bericht.brieftexte) einzelne.push_back(Wert(w, "im Dokument", soll));
        for (const std::string& b : bericht.briefOhneKennung)
            einzelne.push_back(b + " steht ohne Kennung im Brieftext und wird nicht nachgerechnet");
        Befund(zeilen, bericht.brieftexte.empty() ? "Beträge im Brieftext: nicht geprüft" : "Beträge im Brieftext: weichen ab",
               einzelne);
    }
    if (bericht.datensatz.empty()) {
        zeilen.push_back("Rechnungsdatensatz: stimmt");
    } else {
        std::vector<std::string> einzelne;
        for (const Wertabweichung& w : bericht.datensatz) einzelne.push_back(Wert(w, "gespeichert", soll));
        Befund(zeilen, "Rechnungsdatensatz: weicht ab", einzelne);
    }
    if (!bericht.einstellungen.empty())
        Befund(zeilen, "Die Einstellungen des Benutzers haben sich geändert:", bericht.einstellungen);
    for (const std::string& h : bericht.hinweise) zeilen.push_back("Hinweis: " + h);
    if (!bericht.fehler.empty()) Befund(zeilen, "Fehler beim Nachrechnen (siehe Fehlerprotokoll):", bericht.fehler);
    return zeilen;
}

}  // namespace vk
