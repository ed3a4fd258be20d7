// vk apply: one category dialog on an invoice, driven as a person drives it, confirmed (or
// cancelled), the invoice saved atomically with its record; prints the written table and the totals.
// The work is the library's Rechnungssitzung; here the arguments are read and the result printed.
#include <iostream>
#include <sstream>

#include "befehle.h"
#include "vk_lp_08/fehler.h"
#include "vk_lp_08/sitzung.h"

namespace vkcli {
namespace {

struct Auftrag {
    vk::Rechnungssitzung::Auftrag sitzung;
    std::string wahl = "new", antwort;
    int kategorie = -1;
    bool abbrechen = false, json = false;
    std::vector<std::pair<std::string, std::string>> eigenschaften;
    std::vector<std::string> setzen;
};

std::pair<std::string, std::string> Paar(const std::string& s, const std::string& option) {
    auto gleich = s.find('=');
    if (gleich == std::string::npos || gleich == 0)
        throw Aufruffehler{"apply: " + option + " braucht NAME=WERT, nicht '" + s + "'"};
    return {s.substr(0, gleich), s.substr(gleich + 1)};
}

Auftrag Lesen(const Argumente& args) {
    Auftrag a;
    for (Optionen o(args, "apply"); o.Weiter();) {
        const std::string& n = o.Name();
        if (n == "--db") a.sitzung.datenbank = o.Wert();
        else if (n == "--doc") a.sitzung.dokument = o.Wert();
        else if (n == "--out") a.sitzung.ausgabe = o.Wert();
        else if (n == "--user") a.sitzung.benutzer = o.Zahl();
        else if (n == "--invoice") a.sitzung.rechnung = o.Zahl();
        else if (n == "--category") a.kategorie = o.Zahl();
        else if (n == "--property") a.eigenschaften.push_back(Paar(o.Wert(), n));
        else if (n == "--set") a.setzen.push_back(o.Wert());
        else if (n == "--choose") a.wahl = o.Wert();
        else if (n == "--answer") a.antwort = o.Wert();
        else if (n == "--cancel") a.abbrechen = true;
        else if (n == "--json") a.json = true;
        else o.Unbekannt();
    }
    if (a.sitzung.datenbank.empty() || a.sitzung.dokument.empty())
        throw Aufruffehler{"apply: --db und --doc sind nötig"};
    if (a.kategorie < 0 || a.kategorie > 5) throw Aufruffehler{"apply: --category ist 0 bis 5"};
    if (a.antwort != "" && a.antwort != "yes" && a.antwort != "no") throw Aufruffehler{"apply: --answer yes|no"};
    if (a.wahl != "new" && a.wahl != "cursor" && !(a.wahl.size() == 1 && a.wahl[0] >= '1' && a.wahl[0] <= '5'))
        throw Aufruffehler{"apply: --choose new|1|2|3|4|5|cursor"};
    return a;
}

void TabelleDrucken(const char* titel, const vk::Rechnungssitzung::Tabellentext& t, bool json, std::ostream& out) {
    if (json) out << "\"" << titel << "\":[";
    else out << titel << ":\n";
    for (std::size_t r = 0; r < t.size(); ++r) {
        if (json) out << (r > 0 ? "," : "") << "[";
        else out << " ";
        for (std::size_t c = 0; c < t[r].size(); ++c) {
            std::string text = t[r][c];
            if (json) {
                std::string s;
                for (char ch : text) {
                    if (ch == '"' || ch == '\\') s += '\\', s += ch;
                    else if (ch == '\r') s += "\\r";
                    else if (ch == '\v') s += "\\u000b";
                    else if (ch == '\t') s += "\\t";
                    else s += ch;
                }
                out << (c > 0 ? "," : "") << '"' << s << '"';
            } else {
                for (char& ch : text)
                    if (ch == '\r' || ch == '\v') ch = '/';
                out << " | " << text;
            }
        }
        out << (json ? "]" : "\n");
    }
    if (json) out << "]";
}

}  // namespace

int BefehlApply(const Argumente& args) {
    const Auftrag a = Lesen(args);
    // Every failure before the confirmation changes nothing; one of the confirmation itself saved
    // nothing: the invoice file and its record are as they were.
    const auto schritt = [](const auto& f) {
        try {
            f();
        } catch (const vk::LaufzeitFehler& fehler) {
            throw Aufruffehler{"apply: " + fehler.Beschreibung()};
        }
    };
    std::unique_ptr<vk::Rechnungssitzung> sitzung;
    schritt([&] { sitzung = std::make_unique<vk::Rechnungssitzung>(a.sitzung); });
    // What was done about a save a killed run left is said on standard error.
    if (!sitzung->Hinweis().empty()) std::cerr << "vk: apply: " << sitzung->Hinweis() << "\n";
    schritt([&] {
        for (const auto& [name, wert] : a.eigenschaften) sitzung->Eigenschaft(name, wert);
        sitzung->KategorieÖffnen(a.kategorie, a.wahl, a.antwort);
        for (const std::string& s : a.setzen) sitzung->Setzen(s);
        if (a.abbrechen) sitzung->Abbrechen();
        else sitzung->Bestätigen();
    });
    if (a.abbrechen) {
        std::cout << (a.json ? "{\"cancelled\":true}\n" : "abgebrochen: die Rechnung ist unverändert\n");
        return 0;
    }
    // What was written is printed from the document; the invoice is saved whatever happens here.
    std::ostringstream out;
    try {
        if (a.json) out << "{";
        TabelleDrucken(a.json ? "table" : "Tabelle", sitzung->GeschriebeneTabelle(), a.json, out);
        if (a.json) out << ",";
        TabelleDrucken(a.json ? "totals" : "Summen", sitzung->Summentabelle(), a.json, out);
        out << (a.json ? "}\n" : "");
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"apply: die Rechnung ist gespeichert, aber ihre Tabellen lassen sich nicht ausgeben: " +
                           f.Beschreibung()};
    }
    std::cout << out.str();
    // The component logs a failing statement and goes on; a script learns of it here, on standard
    // error, while the exit status says that the invoice was saved.
    const vk::Protokollstand protokoll = sitzung->ProtokollImDialog();
    if (protokoll.anzahl)
        std::cerr << "vk: apply: die Rechnung ist gespeichert, aber " << protokoll.anzahl
                  << (protokoll.anzahl == 1 ? " Fehler wurde" : " Fehler wurden") << " unterwegs protokolliert (siehe "
                  << vk::ProtokollPfad().string() << "), der letzte: " << protokoll.letzter << "\n";
    return 0;
}

}  // namespace vkcli
