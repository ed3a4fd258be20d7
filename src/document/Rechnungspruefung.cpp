#include "document/Rechnungspruefung.h"

#include <stdlib.h>

#include <array>
#include <map>
#include <memory>
#include <optional>

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "document/Briefbetrag.h"
#include "document/G_frmTabelle.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/SummeBilden.h"
#include "document/kennungen.h"
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

// The table-choice dialog offers the first five tables of a key.
constexpr int kWählbareTabellen = 5;
constexpr const char* kFehlt = "(fehlt)";

// A table's texts as a person sees them: cell texts without their end marks, with the VAT tag of
// each amount cell as a cell of its own after the row's cells.
using Tabelleninhalt = std::vector<std::vector<std::string>>;

std::string OhneZellende(std::string text) {
    if (text.size() >= 2) text.erase(text.size() - 2);
    return text;
}

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

Tabelleninhalt InhaltLesen(word::Table& t) {
    Tabelleninhalt inhalt;
    const long zeilen = t.Rows().Count();
    for (long r = 1; r <= zeilen; ++r) {
        std::vector<std::string> zeile;
        const long zellen = t.Rows().Item(r).CellCount();
        for (long c = 1; c <= zellen; ++c) zeile.push_back(OhneZellende(t.Cell(r, c).Range().Text()));
        if (zellen >= 5) {
            // The VAT tag of an amount belongs to the amount; the key of the table stands on cell (1,5).
            const std::string kennung = ErsterKommentarText(t.Cell(r, 5).Range());
            if (!kennung.empty() && !(r == 1 && KategorieVon(kennung))) zeile[4] += " (MwSt-Kennung " + kennung + ")";
        }
        // Empty cells at a row's end carry nothing: a word processor may add some when it saves.
        while (!zeile.empty() && Anzeige(zeile.back()).empty()) zeile.pop_back();
        inhalt.push_back(std::move(zeile));
    }
    return inhalt;
}

// The cells of two rows that differ (a cell one row lacks reads "(fehlt)"); a row only one side has
// is compared with nothing, and only its cells with text count.
void ZeilenVergleichen(const std::vector<std::string>* dok, const std::vector<std::string>* neu, long zeile,
                       std::vector<Abweichung>& abweichungen) {
    const std::size_t zellen = std::max(dok ? dok->size() : 0, neu ? neu->size() : 0);
    for (std::size_t c = 0; c < zellen; ++c) {
        const bool hatDok = dok && c < dok->size(), hatNeu = neu && c < neu->size();
        const std::string links = hatDok ? Anzeige((*dok)[c]) : kFehlt;
        const std::string rechts = hatNeu ? Anzeige((*neu)[c]) : kFehlt;
        if (links == rechts) continue;
        // A row one side lacks counts with its cells that hold text; an empty cell a row lacks at its
        // end (a word processor may add or drop them) is no difference.
        if ((!hatDok && rechts.empty()) || (!hatNeu && links.empty())) continue;
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

// The k-th table (from 1) that carries the key, as the table-choice dialog counts them.
std::optional<word::Table> TabelleMitKennung(word::Document& doc, std::string_view schluessel, int k) {
    int n = 0;
    for (const word::Table& t : AlleTabellen(doc))
        if (TraegtKennung(t, schluessel) && ++n == k) return t;
    return std::nullopt;
}

// The amounts after the letter-text tags, in document order of the tags.
std::vector<std::pair<std::string, std::string>> Brieftexte(word::Document& doc) {
    static constexpr std::array<std::string_view, 5> kTags{kennung::Gesamt, kennung::Netto, kennung::MwSt,
                                                           kennung::Brutto, kennung::Auslagen};
    std::vector<std::pair<std::string, std::string>> texte;
    for (word::Comment c : doc.Comments()) {
        const std::string tag = c.Text();
        if (std::find(kTags.begin(), kTags.end(), tag) == kTags.end()) continue;
        const long ende = c.Reference().End();
        const long bis = std::min(ende + kBriefbetragReichweite, doc.Content().End());
        const std::optional<Briefbetrag> betrag = BriefbetragLesen(doc.Range(ende, bis).Text());
        texte.emplace_back(tag, betrag ? betrag->betrag : "");
    }
    return texte;
}

// The fields of the invoice record the totals block stores, as texts to compare and show.
constexpr std::array<const char*, 4> kDatensatzfelder{"NettoRechnung", "Brutto", "MehrwertsteuerFreierbetrag",
                                                       "Mehrwertsteuersatz"};

std::string Feldtext(dao::Recordset& rs, const char* feld) {
    const Variant wert = rs.Fields(feld).Value();
    if (wert.IstNull()) return "(leer)";
    const double zahl = CDbl(wert);
    if (std::string_view(feld) == "Mehrwertsteuersatz") return CStr(zahl / 10.0) + " %";
    return Format(zahl / 100.0, "#,##0.00") + " \xE2\x82\xAC";
}

std::map<std::string, std::string> Datensatz(dao::Recordset& rs) {
    std::map<std::string, std::string> felder;
    for (const char* feld : kDatensatzfelder) felder[feld] = Feldtext(rs, feld);
    return felder;
}

// What the check changes of the process's shared state, put back when it ends: the invoice context,
// the table index, the table-choice dialog's handler, the dialogs it opened, and the database
// transaction all its writes went into.
class Zustand {
public:
    explicit Zustand(dao::Database& db)
        : kontext_(Kontext()), tabellenIndex_(TabellenIndex()), db_(db) {
        db_.BeginTrans();
    }
    ~Zustand() {
        FehlerIgnorieren([&] { ui::Formen::AlleEntladen(); });
        FehlerIgnorieren([&] { db_.Rollback(); });
        G_frmTabelle::ModalHandlerSetzen(handler_);
        TabellenIndex() = tabellenIndex_;
        Kontext() = kontext_;
    }
    Zustand(const Zustand&) = delete;
    Zustand& operator=(const Zustand&) = delete;

    // The table-choice dialog answers "k. vorhandener Eintrag" from now on.
    void TabelleWählen(int k) {
        G_frmTabelle::ModalHandler alt = G_frmTabelle::ModalHandlerSetzen([k](G_frmTabelle& f) {
            f.optTabelle(k - 1).SetValue(true);
            f.cmdEnde.Click.Auslösen();
        });
        if (!gewählt_) handler_ = std::move(alt);
        gewählt_ = true;
    }

private:
    Rechnungskontext kontext_;
    std::int16_t tabellenIndex_;
    dao::Database& db_;
    G_frmTabelle::ModalHandler handler_;
    bool gewählt_ = false;
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

// Opens the category's dialog on the k-th table of its key in a fresh copy of the invoice, confirms it
// unchanged and returns what it wrote there (nothing when it wrote no table).
std::optional<Tabelleninhalt> NeuBestätigt(VK& komponente, Zustand& zustand, const Prüfauftrag& auftrag,
                                          const std::shared_ptr<dao::Recordset>& rechnung, const Kategorie& kategorie,
                                          int k) {
    auto kopie = word::Document::Open(auftrag.dokument);
    komponente.Doc(Variant(kopie));
    zustand.TabelleWählen(k);
    komponente.Show(kategorie.index, rechnung, 0);
    ui::Form* dialog = OffenerKategoriedialog();
    if (!dialog) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "der Dialog der Kategorie öffnet nicht");
    ui::Klicken(*dialog, "CommandEnde");
    if (dialog->Geladen()) dialog->Unload();
    std::optional<word::Table> neu = TabelleMitKennung(*kopie, kategorie.kennung, k);
    if (!neu) return std::nullopt;
    return InhaltLesen(*neu);
}

}  // namespace

bool Prüfbericht::Stimmt() const {
    // A fee table that could not be priced again is not proved.
    for (const Tabellenbefund& t : tabellen)
        if (t.ergebnis == Prüfergebnis::WeichtAb || (t.ergebnis == Prüfergebnis::NichtGeprüft && !t.kategorie.empty()))
            return false;
    return summen.empty() && brieftexte.empty() && datensatz.empty() && fehler.empty();
}

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
    std::shared_ptr<word::Document> original = word::Document::Open(auftrag.dokument);

    Zustand zustand(*db);
    VK komponente;
    komponente.KalWorkspace(Variant(workspace));
    komponente.DatenbankPfad(Variant(datenbank));
    komponente.ID_Benutzer(Variant(auftrag.benutzer));
    komponente.NeueAbfrage(Variant(db));

    Prüfbericht bericht;
    const auto fehlerMerken = [&bericht](const std::string& wo, const Protokollstand& vorher) {
        const Protokollstand nachher = Protokolliert();
        if (nachher.anzahl == vorher.anzahl) return;
        std::string text = wo + ": " + nachher.letzter;
        if (const std::uint64_t weitere = nachher.anzahl - vorher.anzahl - 1)
            text += " und " + std::to_string(weitere) + " weitere";
        bericht.fehler.push_back(std::move(text));
    };
    std::map<std::string, int> gezählt;  // tables of each key so far
    long position = 0;
    std::vector<std::pair<word::Table, long>> tabellen;
    for (const word::Table& t : AlleTabellen(*original)) tabellen.emplace_back(t, ++position);
    for (auto& [tabelle, p] : tabellen) {
        Tabellenbefund befund;
        befund.tabelle = p;
        befund.kennung = Tabellenkennung(tabelle);
        if (befund.kennung == kennung::Summe) {
            bericht.summentabelle = p;
            continue;
        }
        const Kategorie* kategorie = KategorieVon(befund.kennung);
        if (!kategorie) {
            befund.grund = "ohne Kennung einer Gebührentabelle";
            bericht.tabellen.push_back(std::move(befund));
            continue;
        }
        befund.kategorie = kategorie->name;
        const int k = ++gezählt[befund.kennung];
        if (k > kWählbareTabellen) {
            befund.grund = "die Tabellenwahl bietet nur fünf Tabellen einer Art";
            bericht.tabellen.push_back(std::move(befund));
            continue;
        }
        const Tabelleninhalt dokument = InhaltLesen(tabelle);
        const Protokollstand vorher = Protokolliert();
        try {
            const std::optional<Tabelleninhalt> neu = NeuBestätigt(komponente, zustand, auftrag, rechnung, *kategorie, k);
            befund.abweichungen = neu ? Vergleichen(dokument, *neu) : Vergleichen(dokument, {});
            befund.ergebnis = befund.abweichungen.empty() ? Prüfergebnis::Stimmt : Prüfergebnis::WeichtAb;
        } catch (const LaufzeitFehler& f) {
            befund.grund = f.Beschreibung();
        }
        fehlerMerken("Tabelle " + std::to_string(p), vorher);
        bericht.tabellen.push_back(std::move(befund));
    }

    // The totals rebuilt from the fee tables as the document has them.
    auto kopie = word::Document::Open(auftrag.dokument);
    const Protokollstand vorSummen = Protokolliert();
    komponente.Doc(Variant(kopie));
    komponente.Show(-1, rechnung, 0);  // the user's invoice settings, no dialog
    SummeLöschen();
    SummeBilden(Kontext().Zahlungsziel);
    fehlerMerken("Summen", vorSummen);
    Tabelleninhalt summeDokument, summeNeu;
    if (auto t = TabelleMitKennung(*original, kennung::Summe, 1)) summeDokument = InhaltLesen(*t);
    if (auto t = TabelleMitKennung(*kopie, kennung::Summe, 1)) summeNeu = InhaltLesen(*t);
    bericht.summen = Vergleichen(summeDokument, summeNeu);

    const auto briefAlt = Brieftexte(*original), briefNeu = Brieftexte(*kopie);
    for (std::size_t i = 0; i < std::max(briefAlt.size(), briefNeu.size()); ++i) {
        const std::string name = i < briefAlt.size() ? briefAlt[i].first : briefNeu[i].first;
        const std::string alt = i < briefAlt.size() ? briefAlt[i].second : kFehlt;
        const std::string neu = i < briefNeu.size() ? briefNeu[i].second : kFehlt;
        if (alt != neu) bericht.brieftexte.push_back({name, alt, neu});
    }
    for (const auto& [feld, neu] : Datensatz(*rechnung))
        if (gespeichert.at(feld) != neu) bericht.datensatz.push_back({feld, gespeichert.at(feld), neu});
    return bericht;
}

std::vector<std::string> Berichtszeilen(const Prüfbericht& bericht) {
    const auto zellen = [](const std::vector<Abweichung>& abweichungen, const char* soll) {
        std::string text;
        for (const Abweichung& a : abweichungen)
            text += (text.empty() ? "" : "; ") + std::string("Zeile ") + std::to_string(a.zeile) + ", Spalte " +
                    std::to_string(a.spalte) + ": " + a.dokument + " im Dokument, " + a.gebührenordnung + " " + soll;
        return text;
    };
    const auto werte = [](const std::vector<Wertabweichung>& abweichungen, const char* wo) {
        std::string text;
        for (const Wertabweichung& w : abweichungen)
            text += (text.empty() ? "" : "; ") + w.name + ": " + w.dokument + " " + wo + ", " + w.berechnet +
                    " nach den Gebührentabellen";
        return text;
    };
    std::vector<std::string> zeilen;
    for (const Tabellenbefund& t : bericht.tabellen) {
        std::string zeile = "Tabelle " + std::to_string(t.tabelle);
        if (!t.kategorie.empty()) zeile += ", " + t.kategorie;
        switch (t.ergebnis) {
        case Prüfergebnis::Stimmt: zeile += ": stimmt"; break;
        case Prüfergebnis::WeichtAb: zeile += ": weicht ab: " + zellen(t.abweichungen, "nach Gebührenordnung"); break;
        case Prüfergebnis::NichtGeprüft: zeile += ": nicht geprüft (" + t.grund + ")"; break;
        }
        zeilen.push_back(std::move(zeile));
    }
    std::string summe = bericht.summentabelle ? "Summentabelle (Tabelle " + std::to_string(bericht.summentabelle) + ")"
                                              : std::string("Summentabelle (fehlt)");
    zeilen.push_back(summe + (bericht.summen.empty() ? ": stimmt"
                                                     : ": weicht ab: " + zellen(bericht.summen, "nach den Gebührentabellen")));
    zeilen.push_back(std::string("Beträge im Brieftext") +
                     (bericht.brieftexte.empty() ? ": stimmen" : ": weichen ab: " + werte(bericht.brieftexte, "im Dokument")));
    zeilen.push_back(std::string("Rechnungsdatensatz") +
                     (bericht.datensatz.empty() ? ": stimmt" : ": weicht ab: " + werte(bericht.datensatz, "gespeichert")));
    if (!bericht.fehler.empty()) {
        std::string text;
        for (const std::string& f : bericht.fehler) text += (text.empty() ? "" : "; ") + f;
        zeilen.push_back("Fehler beim Nachrechnen (siehe Fehlerprotokoll): " + text);
    }
    return zeilen;
}

}  // namespace vk
