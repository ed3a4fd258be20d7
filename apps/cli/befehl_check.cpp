// vk check: proves an invoice before it is sent. Every fee table is priced again from its own inputs
// and compared, then the totals, the letter-text amounts and the invoice record; nothing is changed.
// Exit status 0 when everything agrees, 1 when something differs, 2 for bad arguments or files.
#include <filesystem>
#include <iostream>

#include "befehle.h"
#include "common/fehler.h"
#include "component/rechnungsspeicher.h"
#include "document/Rechnungspruefung.h"

namespace vkcli {
namespace {

struct Auftrag {
    vk::Prüfauftrag prüfung;
    bool json = false;
};

Auftrag Lesen(const Argumente& args) {
    Auftrag a;
    for (Optionen o(args, "check"); o.Weiter();) {
        const std::string& n = o.Name();
        if (n == "--db") a.prüfung.datenbank = o.Wert();
        else if (n == "--doc") a.prüfung.dokument = o.Wert();
        else if (n == "--user") a.prüfung.benutzer = static_cast<std::int32_t>(o.Zahl());
        else if (n == "--invoice") a.prüfung.rechnung = static_cast<std::int32_t>(o.Zahl());
        else if (n == "--json") a.json = true;
        else o.Unbekannt();
    }
    if (a.prüfung.datenbank.empty() || a.prüfung.dokument.empty() || !a.prüfung.benutzer || !a.prüfung.rechnung)
        throw Aufruffehler{"check: --db, --user, --invoice and --doc are required"};
    return a;
}

const char* Ergebnis(vk::Prüfergebnis e) {
    switch (e) {
    case vk::Prüfergebnis::Stimmt: return "stimmt";
    case vk::Prüfergebnis::WeichtAb: return "weicht ab";
    case vk::Prüfergebnis::NichtGeprüft: break;
    }
    return "nicht geprüft";
}

void AbweichungenJson(const std::vector<vk::Abweichung>& liste, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < liste.size(); ++i)
        out << (i ? "," : "") << "{\"zeile\":" << liste[i].zeile << ",\"spalte\":" << liste[i].spalte
            << ",\"dokument\":" << (liste[i].fehltImDokument ? "null" : Json(liste[i].dokument))
            << ",\"gebuehrenordnung\":" << (liste[i].fehltNachGebührenordnung ? "null" : Json(liste[i].gebührenordnung))
            << "}";
    out << "]";
}

// Letter-text amounts hold what the document says, record fields what is stored.
void WerteJson(const std::vector<vk::Wertabweichung>& liste, const char* wo, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < liste.size(); ++i)
        out << (i ? "," : "") << "{\"name\":" << Json(liste[i].name) << ",\"" << wo << "\":" << Json(liste[i].dokument)
            << ",\"berechnet\":" << Json(liste[i].berechnet) << "}";
    out << "]";
}

void JsonAusgeben(const vk::Prüfbericht& b, std::ostream& out) {
    out << "{\"stimmt\":" << (b.Stimmt() ? "true" : "false") << ",\"tabellen\":[";
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
    WerteJson(b.brieftexte, "dokument", out);
    out << ",\"datensatz\":";
    WerteJson(b.datensatz, "gespeichert", out);
    out << ",\"fehler\":[";
    for (std::size_t i = 0; i < b.fehler.size(); ++i) out << (i ? "," : "") << Json(b.fehler[i]);
    out << "]}\n";
}

}  // namespace

int BefehlCheck(const Argumente& args) {
    const Auftrag a = Lesen(args);
    if (!std::filesystem::exists(a.prüfung.dokument))
        throw Aufruffehler{"check: document not found: " + a.prüfung.dokument.string()};
    vk::Prüfbericht bericht;
    try {
        // Held while the invoice is read, so no confirmation replaces it half-way; a save a killed
        // run left is finished or undone first, and said so.
        const vk::Rechnungssperre sperre(a.prüfung.dokument, a.prüfung.datenbank);
        if (!sperre.Hinweis().empty()) std::cerr << "vk: check: " << sperre.Hinweis() << '\n';
        bericht = vk::RechnungPrüfen(a.prüfung);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"check: " + f.Beschreibung()};
    }
    if (a.json) JsonAusgeben(bericht, std::cout);
    else
        for (const std::string& zeile : vk::Berichtszeilen(bericht)) std::cout << zeile << '\n';
    return bericht.Stimmt() ? 0 : 1;
}

}  // namespace vkcli
