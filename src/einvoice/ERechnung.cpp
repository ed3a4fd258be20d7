#include "einvoice/ERechnung.h"

#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "common/fehler.h"
#include "einvoice/Cii.h"
#include "einvoice/Dezimal.h"
#include "einvoice/Rechnungsinhalt.h"
#include "einvoice/Stammdaten.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vk {
namespace {

using namespace erechnung;

// The document and the database opened for reading, and the content built from them.
struct Quelle {
    std::shared_ptr<word::Document> dokument;
    dao::Workspace workspace;
    std::shared_ptr<dao::Database> datenbank;

    explicit Quelle(const ERechnungsauftrag& a) {
        if (!dao::IstServerAdresse(a.datenbank) && !std::filesystem::exists(a.datenbank))
            throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Die Datenbankdatei '" + a.datenbank + "' gibt es nicht.");
        datenbank = workspace.OpenDatabase(a.datenbank, true);
        dokument = word::Document::Open(a.dokument);
    }
    Rechnungsinhalt Inhalt(const ERechnungsauftrag& a, std::vector<std::string>& mängel) {
        return InhaltErmitteln({dokument.get(), datenbank.get(), a.benutzer, a.rechnung}, mängel);
    }
};

// Writes the file next to the target and renames it over the target: a failed write leaves the old
// file as it was.
void DateiErsetzen(const std::filesystem::path& ziel, const std::function<void(std::ostream&)>& schreiben) {
    std::filesystem::path neu = ziel;
    neu += ".neu-" + std::to_string(::getpid());
    {
        std::ofstream aus(neu, std::ios::binary | std::ios::trunc);
        schreiben(aus);
        aus.close();
        if (!aus) {
            std::error_code ec;
            std::filesystem::remove(neu, ec);
            throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, "Die E-Rechnung '" + ziel.string() + "' kann nicht geschrieben werden.");
        }
    }
    std::error_code ec;
    std::filesystem::rename(neu, ziel, ec);
    if (ec) {
        std::filesystem::remove(neu, ec);
        throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, "Die E-Rechnung '" + ziel.string() + "' kann nicht geschrieben werden.");
    }
}

std::string Menge(std::int64_t menge, const std::string& einheit) {
    std::string text = Dezimal4(menge, 0);
    for (char& c : text)
        if (c == '.') c = ',';
    return text + " " + einheit;
}

std::string SteuerText(const Steuerart& s) { return s.befreit ? "befreit (E)" : Satz(s.satz) + " % (S)"; }

class Abgleich {
public:
    explicit Abgleich(std::vector<ERechnungsabweichung>& liste) : liste_(liste) {}
    void Text(const std::string& was, const std::string& erechnung, const std::string& dokument) {
        if (erechnung != dokument) liste_.push_back({was, erechnung, dokument});
    }
    void Betrag(const std::string& was, std::int64_t erechnung, std::int64_t dokument) {
        Text(was, EuroText(erechnung), EuroText(dokument));
    }

private:
    std::vector<ERechnungsabweichung>& liste_;
};

}  // namespace

std::vector<std::string> ERechnungSchreiben(const ERechnungsauftrag& auftrag) {
    Quelle quelle(auftrag);
    std::vector<std::string> mängel;
    const Rechnungsinhalt inhalt = quelle.Inhalt(auftrag, mängel);
    const Stammdaten stammdaten = StammdatenLesen(*quelle.datenbank, inhalt.auftrag, mängel);
    if (!mängel.empty()) return mängel;
    DateiErsetzen(auftrag.xml, [&](std::ostream& aus) { CiiSchreiben(inhalt, stammdaten, aus); });
    return {};
}

std::vector<ERechnungsabweichung> ERechnungVergleichen(const ERechnungsauftrag& auftrag) {
    std::ifstream ein(auftrag.xml, std::ios::binary);
    if (!ein)
        throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Die E-Rechnung '" + auftrag.xml.string() + "' gibt es nicht.");
    std::ostringstream text;
    text << ein.rdbuf();
    const Rechnungsinhalt datei = CiiLesen(text.str());
    Quelle quelle(auftrag);
    std::vector<std::string> mängel;  // stale totals are the check's own finding, not the e-invoice's
    const Rechnungsinhalt soll = quelle.Inhalt(auftrag, mängel);

    std::vector<ERechnungsabweichung> liste;
    Abgleich a(liste);
    a.Text("Rechnungsnummer (BT-1)", datei.nummer, soll.nummer);
    a.Text("Rechnungsart (BT-3)", datei.art, soll.art);
    a.Text("Rechnungsdatum (BT-2)", datei.datum, soll.datum);
    const std::size_t zeilen = std::max(datei.zeilen.size(), soll.zeilen.size());
    for (std::size_t i = 0; i < zeilen; ++i) {
        const std::string nr = "Position " + std::to_string(i + 1);
        if (i >= datei.zeilen.size() || i >= soll.zeilen.size()) {
            const Rechnungszeile& z = i < datei.zeilen.size() ? datei.zeilen[i] : soll.zeilen[i];
            const std::string text = z.name + ", " + EuroText(z.betrag);
            a.Text(nr, i < datei.zeilen.size() ? text : "(fehlt)", i < soll.zeilen.size() ? text : "(fehlt)");
            continue;
        }
        const Rechnungszeile &ist = datei.zeilen[i], &z = soll.zeilen[i];
        a.Text(nr + ", Bezeichnung", ist.name, z.name);
        a.Text(nr + ", Tarifstelle", ist.tarifstelle, z.tarifstelle);
        a.Text(nr + ", Menge", Menge(ist.menge, ist.einheit), Menge(z.menge, z.einheit));
        a.Text(nr + ", Preis", Dezimal4(ist.preis, 2) + (ist.basismenge ? " je " + Menge(ist.basismenge, ist.einheit) : ""),
               Dezimal4(z.preis, 2) + (z.basismenge ? " je " + Menge(z.basismenge, z.einheit) : ""));
        a.Betrag(nr + ", Betrag", ist.betrag, z.betrag);
        a.Text(nr + ", Umsatzsteuer", SteuerText(ist.steuer), SteuerText(z.steuer));
    }
    const auto nachlässe = [](const Rechnungsinhalt& r) {
        std::string text;
        for (const Nachlass& n : r.nachlässe)
            text += (text.empty() ? "" : "; ") + std::string(n.zuschlag ? "Zuschlag " : "Nachlass ") + EuroText(n.betrag) +
                    " " + SteuerText(n.steuer) + " (" + n.grund + ")";
        return text.empty() ? std::string("keine") : text;
    };
    a.Text("Nachlässe und Zuschläge", nachlässe(datei), nachlässe(soll));
    const auto steuern = [](const Rechnungsinhalt& r) {
        std::string text;
        for (const Steuerzeile& s : r.steuern)
            text += (text.empty() ? "" : "; ") + SteuerText(s.steuer) + ": " + EuroText(s.betrag) + " auf " + EuroText(s.basis);
        return text;
    };
    a.Text("Umsatzsteuer (BG-23)", steuern(datei), steuern(soll));
    const Gesamtbeträge &g = datei.summen, &s = soll.summen;
    a.Betrag("Summe der Positionen (BT-106)", g.positionen, s.positionen);
    a.Betrag("Zuschläge (BT-108)", g.zuschläge, s.zuschläge);
    a.Betrag("Nachlässe (BT-107)", g.nachlässe, s.nachlässe);
    a.Betrag("Nettobetrag (BT-109)", g.netto, s.netto);
    a.Betrag("Umsatzsteuer (BT-110)", g.mwst, s.mwst);
    a.Betrag("Rechnungsbetrag (BT-112)", g.brutto, s.brutto);
    a.Betrag("Anzahlungen (BT-113)", g.vorausbezahlt, s.vorausbezahlt);
    a.Betrag("Fälliger Betrag (BT-115)", g.fällig, s.fällig);
    return liste;
}

std::string ERechnungBerichtszeile(const std::filesystem::path& xml, const std::vector<ERechnungsabweichung>& abweichungen) {
    std::string zeile = "E-Rechnung " + xml.filename().string();
    if (abweichungen.empty()) return zeile + ": stimmt";
    zeile += ": weicht ab: ";
    for (std::size_t i = 0; i < abweichungen.size(); ++i)
        zeile += (i ? "; " : "") + abweichungen[i].was + ": " + abweichungen[i].erechnung + " in der E-Rechnung, " +
                 abweichungen[i].dokument + " nach dem Dokument";
    return zeile;
}

}  // namespace vk
