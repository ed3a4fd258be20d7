// vk check: proves an invoice before it is sent. Every fee table is priced again from its own inputs
// and compared, then the totals, the letter-text amounts and the invoice record; nothing is changed.
// With --xml it also compares an e-invoice with the document, line by line and total by total.
// Exit status 0 when everything agrees, 1 when something differs, 2 for bad arguments or files.
#include <filesystem>
#include <iostream>
#include <optional>

#include "befehle.h"
#include "common/fehler.h"
#include "component/rechnungsspeicher.h"
#include "document/Rechnungspruefung.h"
#include "einvoice/ERechnung.h"

namespace vkcli {
namespace {

struct Auftrag {
    vk::Prüfauftrag prüfung;
    std::filesystem::path xml;  // an e-invoice to compare, empty: none
    bool json = false;
};

Auftrag Lesen(const Argumente& args) {
    Auftrag a;
    for (Optionen o(args, "check"); o.Weiter();) {
        const std::string& n = o.Name();
        if (n == "--db") a.prüfung.datenbank = o.Wert();
        else if (n == "--doc") a.prüfung.dokument = o.Wert();
        else if (n == "--user") a.prüfung.benutzer = o.Zahl();
        else if (n == "--invoice") a.prüfung.rechnung = o.Zahl();
        else if (n == "--xml") a.xml = o.Wert();
        else if (n == "--json") a.json = true;
        else o.Unbekannt();
    }
    if (a.prüfung.datenbank.empty() || a.prüfung.dokument.empty() || !a.prüfung.benutzer || !a.prüfung.rechnung)
        throw Aufruffehler{"check: --db, --user, --invoice und --doc sind nötig"};
    return a;
}

const char* Ergebnis(vk::Prüfergebnis e) {
    switch (e) {
    case vk::Prüfergebnis::Stimmt: return "stimmt";
    case vk::Prüfergebnis::WeichtAb: return "weicht ab";
    case vk::Prüfergebnis::KeineGebührentabelle: return "keine Gebührentabelle";
    case vk::Prüfergebnis::NichtGeprüft: break;
    }
    return "nicht geprüft";
}

// Each difference names what the document (or the record) holds and what the check computed: null
// for a side that lacks the cell or row; "spalte" null for a whole row.
void AbweichungenJson(const std::vector<vk::Abweichung>& liste, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < liste.size(); ++i) {
        const vk::Abweichung& a = liste[i];
        out << (i ? "," : "") << "{\"zeile\":" << a.zeile << ",\"spalte\":";
        if (a.spalte) out << a.spalte;
        else out << "null";
        out << ",\"dokument\":" << (a.fehltImDokument ? "null" : Json(a.dokument))
            << ",\"berechnet\":" << (a.fehltBerechnet ? "null" : Json(a.berechnet)) << "}";
    }
    out << "]";
}

void WerteJson(const std::vector<vk::Wertabweichung>& liste, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < liste.size(); ++i)
        out << (i ? "," : "") << "{\"name\":" << Json(liste[i].name) << ",\"bezeichnung\":" << Json(liste[i].bezeichnung)
            << ",\"dokument\":" << Json(liste[i].dokument) << ",\"berechnet\":" << Json(liste[i].berechnet) << "}";
    out << "]";
}

void TexteJson(const std::vector<std::string>& liste, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < liste.size(); ++i) out << (i ? "," : "") << Json(liste[i]);
    out << "]";
}

// The e-invoice's comparison: null without --xml.
void ERechnungJson(const std::filesystem::path& xml, const std::optional<std::vector<vk::ERechnungsabweichung>>& e,
                   std::ostream& out) {
    if (!e) {
        out << "null";
        return;
    }
    out << "{\"datei\":" << Json(xml.string()) << ",\"stimmt\":" << (e->empty() ? "true" : "false") << ",\"abweichungen\":[";
    for (std::size_t i = 0; i < e->size(); ++i)
        out << (i ? "," : "") << "{\"was\":" << Json((*e)[i].was) << ",\"erechnung\":" << Json((*e)[i].erechnung)
            << ",\"dokument\":" << Json((*e)[i].dokument) << "}";
    out << "]}";
}

void JsonAusgeben(const vk::Prüfbericht& b, const std::filesystem::path& xml,
                  const std::optional<std::vector<vk::ERechnungsabweichung>>& e, std::ostream& out) {
    out << "{\"stimmt\":" << (b.Stimmt() && (!e || e->empty()) ? "true" : "false") << ",\"tabellen\":[";
    for (std::size_t i = 0; i < b.tabellen.size(); ++i) {
        const vk::Tabellenbefund& t = b.tabellen[i];
        out << (i ? "," : "") << "{\"tabelle\":" << t.tabelle << ",\"kennung\":" << Json(t.kennung)
            << ",\"kategorie\":" << Json(t.kategorie) << ",\"ergebnis\":" << Json(Ergebnis(t.ergebnis));
        if (!t.grund.empty()) out << ",\"grund\":" << Json(t.grund);
        out << ",\"abweichungen\":";
        AbweichungenJson(t.abweichungen, out);
        out << "}";
    }
    out << "],\"summentabelle\":{\"tabelle\":";
    if (b.summentabelle) out << b.summentabelle;
    else out << "null";
    out << ",\"abweichungen\":";
    AbweichungenJson(b.summen, out);
    out << "},\"brieftext\":";
    WerteJson(b.brieftexte, out);
    // In the record "dokument" is what is stored.
    out << ",\"datensatz\":";
    WerteJson(b.datensatz, out);
    const std::pair<const char*, const std::vector<std::string>*> texte[] = {
        {"brieftextOhneKennung", &b.briefOhneKennung}, {"einstellungen", &b.einstellungen},
        {"hinweise", &b.hinweise}, {"fehler", &b.fehler}};
    for (const auto& [name, liste] : texte) {
        out << ",\"" << name << "\":";
        TexteJson(*liste, out);
    }
    out << ",\"erechnung\":";
    ERechnungJson(xml, e, out);
    out << "}\n";
}

}  // namespace

int BefehlCheck(const Argumente& args) {
    const Auftrag a = Lesen(args);
    if (!std::filesystem::exists(a.prüfung.dokument))
        throw Aufruffehler{"check: das Dokument gibt es nicht: " + a.prüfung.dokument.string()};
    vk::Prüfbericht bericht;
    std::optional<std::vector<vk::ERechnungsabweichung>> erechnung;
    try {
        // Held while the invoice is read, so no confirmation replaces it half-way; a save a killed
        // run left is finished or undone first, and said so.
        const vk::Rechnungssperre sperre(a.prüfung.dokument, a.prüfung.datenbank);
        if (!sperre.Hinweis().empty()) std::cerr << "vk: check: " << sperre.Hinweis() << '\n';
        bericht = vk::RechnungPrüfen(a.prüfung);
        if (!a.xml.empty())
            erechnung = vk::ERechnungVergleichen(
                {a.prüfung.datenbank, a.prüfung.benutzer, a.prüfung.rechnung, a.prüfung.dokument, a.xml});
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"check: " + f.Beschreibung()};
    }
    if (a.json) {
        JsonAusgeben(bericht, a.xml, erechnung, std::cout);
    } else {
        for (const std::string& zeile : vk::Berichtszeilen(bericht)) std::cout << zeile << '\n';
        if (erechnung) std::cout << vk::ERechnungBerichtszeile(a.xml, *erechnung) << '\n';
    }
    return bericht.Stimmt() && (!erechnung || erechnung->empty()) ? 0 : 1;
}

}  // namespace vkcli
