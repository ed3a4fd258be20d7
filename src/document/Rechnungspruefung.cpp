#include "document/Rechnungspruefung.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "document/Briefbetrag.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/SummeBilden.h"
#include "document/Tabellenkopie.h"
#include "document/kennungen.h"
#include "document/summenrechnung.h"
#include "document/tabellenkennung.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vk {
namespace {

struct Kategorie {
    std::string_view kennung;
    std::int16_t index;
    const char* name;
};

// The fee tables a dialog writes, by their key.
constexpr std::array<Kategorie, 6> kKategorien{{
    {kennung::Teilung, 0, "Teilung / Grenzherstellung (Zerlegung / Sonderung)"},
    {kennung::Grenzfeststellung, 1, "Grenzfeststellung und Abmarkungen"},
    {kennung::Gebäude, 2, "Einmessung von Gebäuden"},
    {kennung::Langgestreckt, 3, "Langgestreckte Anlagen"},
    {kennung::Grenzbescheinigung, 4, "Grenzbescheinigungen"},
    {kennung::Zeitaufwand, 5, "Gebühren nach Zeitaufwand"},
}};

const Kategorie* KategorieVon(std::string_view schluessel) {
    for (const Kategorie& k : kKategorien)
        if (k.kennung == schluessel) return &k;
    return nullptr;
}

// A table's texts as a person sees them: cell texts without their end marks, with the VAT tag of
// each amount cell as a cell of its own after the row's cells.
using Tabelleninhalt = std::vector<std::vector<std::string>>;

// A cell's text on one line, as the report shows it.
std::string Anzeige(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c == '\r' || c == '\v' || c == '\n') s += " / ";
        else if (c == '\t' || c == '\a') s += ' ';
        else s += c;
    }
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// What a table shows as the check compares it (from the table read once).
Tabelleninhalt Inhalt(const Tabellenbild& bild) {
    Tabelleninhalt inhalt;
    for (std::size_t r = 0; r < bild.size(); ++r) {
        std::vector<std::string> zeile;
        for (const Zellbild& z : bild[r]) zeile.push_back(z.text);
        if (bild[r].size() >= 5 && !bild[r][4].kommentare.empty()) {
            // The VAT tag of an amount belongs to the amount; the key of the table stands on cell (1,5).
            const std::string& kennung = bild[r][4].kommentare.front().second;
            if (!kennung.empty() && !(r == 0 && KategorieVon(kennung))) zeile[4] += " (MwSt-Kennung " + kennung + ")";
        }
        // Empty cells at a row's end carry nothing: a word processor may add some when it saves.
        while (!zeile.empty() && Anzeige(zeile.back()).empty()) zeile.pop_back();
        inhalt.push_back(std::move(zeile));
    }
    return inhalt;
}

Tabelleninhalt InhaltLesen(const word::Table& t) { return Inhalt(TabelleLesen(t)); }

// Whether a table adds to the invoice totals: an amount in column 5 that is not tagged "no".
bool ZähltZuDenSummen(const Tabellenbild& bild) {
    if (!bild.empty() && bild[0].size() >= 2 && bild[0][1].text == "Summe") return false;
    Summen summen;
    for (const auto& zeile : bild) {
        if (zeile.size() < 5) continue;
        const Zellbild& z = zeile[4];
        FehlerIgnorieren([&] { BetragErfassen(summen, {z.text, z.kommentare.empty() ? "" : z.kommentare.front().second}, 0); });
    }
    return summen.Gesamt != 0;
}

// A row only one side has, as one text: its cells with text joined by " | ".
std::string ZeilenText(const std::vector<std::string>& zeile) {
    std::string text;
    for (const std::string& zelle : zeile)
        if (const std::string s = Anzeige(zelle); !s.empty()) text += (text.empty() ? "" : " | ") + s;
    return text;
}

// The cells of two rows that differ (a cell one row lacks is marked missing); a row only one side
// has is one finding when it holds text.
void ZeilenVergleichen(const std::vector<std::string>* dok, const std::vector<std::string>* neu, long zeile,
                       std::vector<Abweichung>& abweichungen) {
    if (!dok || !neu) {
        const std::string text = ZeilenText(dok ? *dok : *neu);
        if (text.empty()) return;
        abweichungen.push_back({zeile, 0, dok ? text : "", neu ? text : "", !dok, !neu});
        return;
    }
    const std::size_t zellen = std::max(dok->size(), neu->size());
    for (std::size_t c = 0; c < zellen; ++c) {
        const bool hatDok = c < dok->size(), hatNeu = c < neu->size();
        const std::string links = hatDok ? Anzeige((*dok)[c]) : "";
        const std::string rechts = hatNeu ? Anzeige((*neu)[c]) : "";
        // An empty cell a row lacks at its end (a word processor may add or drop them) is no difference.
        if (links == rechts) continue;
        abweichungen.push_back({zeile, static_cast<long>(c + 1), links, rechts, !hatDok, !hatNeu});
    }
}

// The rows of both tables aligned as a diff aligns lines (the longest common sequence of equal rows),
// so that a row deleted by hand is one missing row, not a shift of every row below it. Between two
// equal rows, the rows that differ are compared cell by cell in pairs; the rest miss on one side.
std::vector<Abweichung> Vergleichen(const Tabelleninhalt& dokument, const Tabelleninhalt& neu) {
    const std::size_t n = dokument.size(), m = neu.size();
    std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            lcs[i][j] = dokument[i] == neu[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    std::vector<Abweichung> abweichungen;
    std::vector<std::size_t> nurDokument, nurNeu;  // the rows since the last equal pair
    const auto blockVergleichen = [&] {
        for (std::size_t k = 0; k < std::max(nurDokument.size(), nurNeu.size()); ++k) {
            const bool links = k < nurDokument.size(), rechts = k < nurNeu.size();
            ZeilenVergleichen(links ? &dokument[nurDokument[k]] : nullptr, rechts ? &neu[nurNeu[k]] : nullptr,
                              static_cast<long>((links ? nurDokument[k] : nurNeu[k]) + 1), abweichungen);
        }
        nurDokument.clear();
        nurNeu.clear();
    };
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && dokument[i] == neu[j]) {
            blockVergleichen();
            ++i, ++j;
        } else if (j >= m || (i < n && lcs[i + 1][j] >= lcs[i][j + 1])) {
            nurDokument.push_back(i++);
        } else {
            nurNeu.push_back(j++);
        }
    }
    blockVergleichen();
    return abweichungen;
}

// The first table that carries the key among its own comments.
std::optional<word::Table> TabelleMitKennung(word::Document& doc, std::string_view schluessel) {
    for (const word::Table& t : AlleTabellen(doc))
        if (TraegtKennung(t, schluessel)) return t;
    return std::nullopt;
}

// The letter-text tags and what a clerk calls the amount after each.
constexpr std::array<std::pair<std::string_view, const char*>, 5> kBrieftags{{
    {kennung::Gesamt, "Gesamtbetrag"},
    {kennung::Netto, "Nettobetrag"},
    {kennung::MwSt, "Umsatzsteuer"},
    {kennung::Brutto, "Bruttobetrag"},
    {kennung::Auslagen, "umsatzsteuerfreie Auslagen"},
}};

const char* Briefbezeichnung(std::string_view tag) {
    for (const auto& [t, name] : kBrieftags)
        if (t == tag) return name;
    return nullptr;
}

// An amount after a letter-text tag: where it stands (in characters of the main text) and its text.
struct Briefstelle {
    std::string tag;
    long von = 0, bis = 0;
    std::string betrag;
};

// The amounts after the letter-text tags, in document order of the tags.
std::vector<Briefstelle> Brieftexte(word::Document& doc) {
    std::vector<Briefstelle> stellen;
    const long dokumentende = doc.Content().End();
    for (word::Comment c : doc.Comments()) {
        const std::string tag = c.Text();
        if (!Briefbezeichnung(tag)) continue;
        const long ende = c.Reference().End();
        const std::optional<Briefbetrag> betrag =
            BriefbetragLesen(doc.Range(ende, std::min(ende + kBriefbetragReichweite, dokumentende)).Text());
        stellen.push_back({tag, ende, ende + (betrag ? betrag->zeichen : 0), betrag ? betrag->betrag : ""});
    }
    return stellen;
}

// The amounts of the main text outside the tables that no letter-text tag stands before, each with
// the words before it in its paragraph.
std::vector<std::string> BeträgeOhneKennung(word::Document& doc, const std::vector<Briefstelle>& getaggt) {
    std::vector<std::pair<long, long>> abschnitte;  // the main text between the tables
    long stelle = 0;
    for (word::Table t : doc.Tables()) {
        const word::Range r = t.Range();
        if (r.Start() > stelle) abschnitte.emplace_back(stelle, r.Start());
        stelle = r.End();
    }
    if (doc.Content().End() > stelle) abschnitte.emplace_back(stelle, doc.Content().End());
    std::vector<std::string> ohne;
    for (const auto& [von, bis] : abschnitte) {
        const std::string text = doc.Range(von, bis).Text();
        for (const Betragsfund& f : BeträgeSuchen(text)) {
            const long anfang = von + f.zeichen;
            const bool markiert = std::any_of(getaggt.begin(), getaggt.end(), [&](const Briefstelle& s) {
                return s.von <= anfang && anfang < s.bis;
            });
            if (markiert) continue;
            // The words before it, back to its paragraph's start, at most 40 characters.
            const std::string vorher = doc.Range(std::max(von, anfang - 40), anfang).Text();
            const std::string satz = Anzeige(vorher.substr(vorher.find_last_of('\r') == std::string::npos
                                                               ? 0 : vorher.find_last_of('\r') + 1));
            ohne.push_back("\xE2\x80\x9E" + (satz.empty() ? "" : "\xE2\x80\xA6" + satz + " ") + f.betrag + "\xE2\x80\x9C");
        }
    }
    return ohne;
}

// The fields of the invoice record the totals block stores, and what a clerk calls them.
constexpr std::array<std::pair<const char*, const char*>, 4> kDatensatzfelder{{
    {"NettoRechnung", "umsatzsteuerpflichtiger Nettobetrag"},
    {"Brutto", "Rechnungsbetrag (brutto)"},
    {"MehrwertsteuerFreierbetrag", "umsatzsteuerfreie Auslagen"},
    {"Mehrwertsteuersatz", "Umsatzsteuersatz"},
}};

std::string Feldtext(dao::Recordset& rs, const char* feld) {
    const Variant wert = rs.Fields(feld).Value();
    if (wert.IstNull()) return "(leer)";
    const double zahl = CDbl(wert);
    if (std::string_view(feld) == "Mehrwertsteuersatz") return CStr(zahl / 10.0) + " %";
    return Format(zahl / 100.0, "#,##0.00") + " \xE2\x82\xAC";
}

std::map<std::string, std::string> Datensatz(dao::Recordset& rs) {
    std::map<std::string, std::string> felder;
    for (const auto& [feld, bezeichnung] : kDatensatzfelder) felder[feld] = Feldtext(rs, feld);
    return felder;
}

// The rule row of a totals table (its discount or advance text), "" when it has none.
std::string Regelzeile(const Tabelleninhalt& summe) {
    if (summe.size() < 2 || summe[1].size() < 2) return "";
    const std::string text = Anzeige(summe[1][1]);
    const std::string regel = text.rfind("/ ", 0) == 0 ? text.substr(2) : text;
    return regel.rfind("Abzüglich", 0) == 0 || regel.rfind("Abschlagszahlung", 0) == 0 ? regel : "";
}

// Where the user's invoice settings are not those the invoice shows: the VAT rate (as the record
// stored it) and the discount or advance rule (as the totals table shows it).
std::vector<std::string> Einstellungsänderungen(const Variant& gespeicherterSatz, const Tabelleninhalt& summeDokument,
                                                const Tabelleninhalt& summeNeu) {
    std::vector<std::string> änderungen;
    const double jetzt = Kontext().Mehrwertsteuersatz;
    if (!gespeicherterSatz.IstNull() && CDbl(gespeicherterSatz) != jetzt * 10)
        änderungen.push_back("Umsatzsteuersatz: " + CStr(CDbl(gespeicherterSatz) / 10.0) + " % in der Rechnung, " +
                             CStr(jetzt) + " % nach den Einstellungen des Benutzers");
    const std::string alt = Regelzeile(summeDokument), neu = Regelzeile(summeNeu);
    const auto zitiert = [](const std::string& s) { return s.empty() ? std::string("keiner") : "\xE2\x80\x9E" + s + "\xE2\x80\x9C"; };
    if (!summeDokument.empty() && alt != neu)
        änderungen.push_back("Rabatt oder Abschlag: " + zitiert(alt) + " in der Rechnung, " + zitiert(neu) +
                             " nach den Einstellungen des Benutzers");
    return änderungen;
}

// What the check changes of the process's shared state, put back when it ends: the invoice context,
// the table index, the dialogs it opened, and the database transaction all its writes went into.
// Meanwhile the totals wait: each confirmation only writes its fee table.
class Zustand {
public:
    explicit Zustand(dao::Database& db) : kontext_(Kontext()), tabellenIndex_(TabellenIndex()), db_(db) {
        db_.BeginTrans();
    }
    ~Zustand() {
        FehlerIgnorieren([&] { ui::Formen::AlleEntladen(); });
        FehlerIgnorieren([&] { db_.Rollback(); });
        TabellenIndex() = tabellenIndex_;
        Kontext() = kontext_;
    }
    Zustand(const Zustand&) = delete;
    Zustand& operator=(const Zustand&) = delete;

private:
    Rechnungskontext kontext_;
    std::int16_t tabellenIndex_;
    dao::Database& db_;
};

// A copy of a database file in the temporary folder, removed when it goes.
class Kopie {
public:
    explicit Kopie(const std::string& datei) {
        if (!std::filesystem::exists(datei))
            throw LaufzeitFehler(fehlernummer::DateiNichtGefunden, "Die Datenbankdatei '" + datei + "' gibt es nicht.");
        std::string muster = (std::filesystem::temp_directory_path() / "vk_pruefung_XXXXXX").string();
        if (!::mkdtemp(muster.data()))
            throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, "Kein Platz für die Kopie der Datenbank " + datei);
        ordner_ = muster;
        std::error_code ec;
        std::filesystem::copy_file(datei, Pfad(), ec);
        if (ec) {
            std::filesystem::remove_all(ordner_, ec);
            throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, "Die Datenbank " + datei + " kann nicht kopiert werden.");
        }
    }
    ~Kopie() {
        std::error_code ec;
        std::filesystem::remove_all(ordner_, ec);
    }
    Kopie(const Kopie&) = delete;
    Kopie& operator=(const Kopie&) = delete;
    std::filesystem::path Pfad() const { return ordner_ / "buero.sqlite"; }

private:
    std::filesystem::path ordner_;
};

ui::Form* OffenerKategoriedialog() {
    for (ui::Form* f : ui::Formen::Alle())
        if (f->Geladen() && f->Name() != "G_frmTabelle") return f;
    return nullptr;
}

// Opens the category's dialog on a copy of the table in the (otherwise empty) working document,
// confirms it unchanged and returns what it wrote in its place; the working document is empty again
// afterwards.
std::optional<Tabelleninhalt> NeuBestätigt(VK& komponente, word::Document& arbeit,
                                          const std::shared_ptr<dao::Recordset>& rechnung, const Kategorie& kategorie,
                                          const Tabellenbild& tabelle) {
    struct Aufräumen {
        word::Document& arbeit;
        ~Aufräumen() {
            while (FehlerIgnorieren([&] { arbeit.Tables().Item(1).Delete(); })) {}
        }
    } aufräumen{arbeit};
    Kontext().GeschriebeneTabelle = word::Table();
    TabelleVorgeben(TabelleKopieren(tabelle, arbeit), 1);
    komponente.Show(kategorie.index, rechnung, 0);
    ui::Form* dialog = OffenerKategoriedialog();
    if (!dialog) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "der Dialog der Kategorie öffnet nicht");
    ui::Klicken(*dialog, "CommandEnde");
    if (dialog->Geladen()) dialog->Unload();
    const word::Table neu = Kontext().GeschriebeneTabelle;
    if (neu.IstNothing()) return std::nullopt;
    return InhaltLesen(neu);
}

}  // namespace

Prüfbericht RechnungPrüfen(const Prüfauftrag& auftrag) {
    if (ui::Form* offen = OffenerKategoriedialog())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                             "Der Dialog " + offen->Name() + " ist offen; die Rechnung wird geprüft, wenn er geschlossen ist.");
    // A database file is checked on a copy, so that the check takes no lock another workstation would
    // wait for; the copy goes when the check ends.
    std::optional<Kopie> datenbankkopie;
    std::string datenbank = auftrag.datenbank;
    if (!dao::IstServerAdresse(datenbank)) {
        datenbankkopie.emplace(datenbank);
        datenbank = datenbankkopie->Pfad().string();
    }
    auto workspace = std::make_shared<dao::Workspace>();
    std::shared_ptr<dao::Database> db = workspace->OpenDatabase(datenbank);
    if (!BenutzerVorhanden(*db, auftrag.benutzer))
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Keinen Benutzer " + std::to_string(auftrag.benutzer) +
                                                                    " in der Tabelle TempDoc von " + auftrag.datenbank);
    std::shared_ptr<dao::Recordset> rechnung = db->OpenRecordset(
        "SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?", {Variant(auftrag.rechnung)});
    if (rechnung->EOF())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                             "Keine Rechnung " + std::to_string(auftrag.rechnung) + " in " + auftrag.datenbank);
    const std::map<std::string, std::string> gespeichert = Datensatz(*rechnung);
    const Variant gespeicherterSatz = rechnung->Fields("Mehrwertsteuersatz").Value();
    std::shared_ptr<word::Document> original = word::Document::Open(auftrag.dokument);
    // Every fee table is confirmed again on a copy of it in a working document of its own.
    std::shared_ptr<word::Document> arbeit = word::Document::New();

    Zustand zustand(*db);
    VK komponente;
    komponente.KalWorkspace(Variant(workspace));
    komponente.DatenbankPfad(Variant(datenbank));
    komponente.ID_Benutzer(Variant(auftrag.benutzer));
    komponente.NeueAbfrage(Variant(db));
    komponente.Doc(Variant(arbeit));

    Prüfbericht bericht;
    const auto fehlerMerken = [&bericht](const std::string& wo, const Protokollstand& vorher) {
        const Protokollstand nachher = Protokolliert();
        if (nachher.anzahl == vorher.anzahl) return;
        std::string text = wo + ": " + nachher.letzter;
        if (const std::uint64_t weitere = nachher.anzahl - vorher.anzahl - 1)
            text += " und " + std::to_string(weitere) + " weitere";
        bericht.fehler.push_back(std::move(text));
    };
    // Every table, nested ones too (a fee table inside a layout table is a fee table).
    const std::vector<word::Table> tabellen = AlleTabellen(*original);
    for (std::size_t i = 0; i + 1 < tabellen.size(); ++i)
        if (tabellen[i].Range().End() == tabellen[i + 1].Range().Start())
            bericht.hinweise.push_back("Tabelle " + std::to_string(i + 1) + " und Tabelle " + std::to_string(i + 2) +
                                       " stehen ohne Absatz aneinander: ein Textprogramm verbindet sie beim Öffnen "
                                       "zu einer Tabelle. Geprüft sind sie als die zwei Tabellen, die sie sind.");

    {
        const SummenAufschub aufschub;
        for (std::size_t i = 0; i < tabellen.size(); ++i) {
            const long p = static_cast<long>(i + 1);
            Tabellenbefund befund;
            befund.tabelle = p;
            befund.kennung = Tabellenkennung(tabellen[i]);
            if (befund.kennung == kennung::Summe) {
                bericht.summentabelle = p;
                continue;
            }
            const Tabellenbild bild = TabelleLesen(tabellen[i]);
            const Kategorie* kategorie = KategorieVon(befund.kennung);
            if (!kategorie) {
                const bool zählt = ZähltZuDenSummen(bild);
                befund.ergebnis = zählt ? Prüfergebnis::NichtGeprüft : Prüfergebnis::KeineGebührentabelle;
                if (befund.kennung.empty()) befund.grund = "ohne Kennung einer Gebührentabelle";
                else befund.grund = "die Kennung " + befund.kennung + " schreibt kein Gebührendialog";
                if (zählt) befund.grund += "; ihre Beträge zählen zu den Summen";
                bericht.tabellen.push_back(std::move(befund));
                continue;
            }
            befund.kategorie = kategorie->name;
            const Tabelleninhalt dokument = Inhalt(bild);
            const Protokollstand vorher = Protokolliert();
            try {
                const std::optional<Tabelleninhalt> neu = NeuBestätigt(komponente, *arbeit, rechnung, *kategorie, bild);
                befund.abweichungen = Vergleichen(dokument, neu ? *neu : Tabelleninhalt{});
                befund.ergebnis = befund.abweichungen.empty() ? Prüfergebnis::Stimmt : Prüfergebnis::WeichtAb;
            } catch (const LaufzeitFehler& f) {
                befund.grund = f.Beschreibung();
            }
            fehlerMerken("Tabelle " + std::to_string(p), vorher);
            bericht.tabellen.push_back(std::move(befund));
        }
    }

    // The totals, the letter and its amounts as the document has them; then the totals rebuilt from
    // its fee tables in the same copy in memory (it is never saved).
    Tabelleninhalt summeDokument, summeNeu;
    if (auto t = TabelleMitKennung(*original, kennung::Summe)) summeDokument = InhaltLesen(*t);
    const std::vector<Briefstelle> briefAlt = Brieftexte(*original);
    bericht.briefOhneKennung = BeträgeOhneKennung(*original, briefAlt);
    const Protokollstand vorSummen = Protokolliert();
    komponente.Doc(Variant(original));
    komponente.Show(-1, rechnung, 0);  // the user's invoice settings, no dialog
    SummeLöschen();
    SummeBilden(Kontext().Zahlungsziel);
    fehlerMerken("Summen", vorSummen);
    if (auto t = TabelleMitKennung(*original, kennung::Summe)) summeNeu = InhaltLesen(*t);
    bericht.summen = Vergleichen(summeDokument, summeNeu);
    bericht.einstellungen = Einstellungsänderungen(gespeicherterSatz, summeDokument, summeNeu);

    const std::vector<Briefstelle> briefNeu = Brieftexte(*original);
    for (std::size_t i = 0; i < std::max(briefAlt.size(), briefNeu.size()); ++i) {
        const std::string tag = i < briefAlt.size() ? briefAlt[i].tag : briefNeu[i].tag;
        const std::string alt = i < briefAlt.size() ? briefAlt[i].betrag : "";
        const std::string neu = i < briefNeu.size() ? briefNeu[i].betrag : "";
        if (alt != neu) bericht.brieftexte.push_back({tag, Briefbezeichnung(tag), alt, neu});
    }
    for (const auto& [feld, bezeichnung] : kDatensatzfelder) {
        const std::string neu = Feldtext(*rechnung, feld);
        if (gespeichert.at(feld) != neu) bericht.datensatz.push_back({feld, bezeichnung, gespeichert.at(feld), neu});
    }
    return bericht;
}

}  // namespace vk
