// One category's dialog on an invoice for a host program (and `vk apply`): locks, document,
// database and record opened; the dialog driven by control name; OK saved with the record.
#include "vk_lp_08/sitzung.h"

#include <algorithm>
#include <map>

#include "common/dateiziel.h"
#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "common/nachricht.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "component/rechnungsspeicher.h"
#include "component/vk.h"
#include "document/G_frmTabelle.h"
#include "document/kennungen.h"
#include "document/tabellenkennung.h"
#include "platform/controls/form.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vk {
namespace {

[[noreturn]] void Fehler(const std::string& text, int nummer = fehlernummer::UngueltigesArgument) {
    throw LaufzeitFehler(nummer, text);
}

// A transaction of the office database that is rolled back unless it was committed.
class Transaktion {
public:
    explicit Transaktion(dao::Database& db) : db_(db) {}
    ~Transaktion() {
        if (offen_) FehlerIgnorieren([&] { db_.Rollback(); });
    }
    Transaktion(const Transaktion&) = delete;
    Transaktion& operator=(const Transaktion&) = delete;

    void Beginnen() {
        db_.BeginTrans();
        offen_ = true;
    }
    bool Offen() const { return offen_; }
    void Abschliessen() {
        if (!offen_) return;
        db_.CommitTrans();
        offen_ = false;
    }

private:
    dao::Database& db_;
    bool offen_ = false;
};

// Answers the table-choice dialog. Whether the choice was offered is known only once the dialog has
// come (or not come: an invoice without a table of the category asks nothing), so a choice not
// offered is answered "new" and Prüfen, called once the category dialog is open, refuses it before
// anything is confirmed.
class Tabellenwahl {
public:
    explicit Tabellenwahl(std::string wahl) : wahl_(wahl.empty() ? "new" : std::move(wahl)) {
        if (wahl_ != "new" && wahl_ != "cursor" && !(wahl_.size() == 1 && wahl_[0] >= '1' && wahl_[0] <= '5'))
            Fehler("Die Tabellenwahl ist new, 1 bis 5 oder cursor, nicht '" + wahl_ + "'.");
        G_frmTabelle::ModalHandlerSetzen([this](G_frmTabelle& f) {
            gefragt_ = true;
            if (wahl_ == "cursor" && f.optAktTabelle.Enabled()) f.optAktTabelle.SetValue(true);
            else if (wahl_.size() == 1 && f.optTabelle(wahl_[0] - '1').Enabled()) f.optTabelle(wahl_[0] - '1').SetValue(true);
            else if (wahl_ != "new") nichtAngeboten_ = true;
            f.cmdEnde.Click.Auslösen();
        });
    }
    ~Tabellenwahl() { G_frmTabelle::ModalHandlerSetzen({}); }
    Tabellenwahl(const Tabellenwahl&) = delete;
    Tabellenwahl& operator=(const Tabellenwahl&) = delete;

    void Prüfen(int kategorie) const {
        if (wahl_ == "new") return;
        if (!gefragt_)
            Fehler("Tabellenwahl " + wahl_ + ": die Rechnung hat keine Tabelle der Kategorie " + std::to_string(kategorie) +
                   " zur Wahl; nichts wurde geändert.");
        if (nichtAngeboten_) Fehler("Tabellenwahl " + wahl_ + ": die Tabellenwahl bietet sie nicht an; nichts wurde geändert.");
    }

private:
    std::string wahl_;
    bool gefragt_ = false, nichtAngeboten_ = false;
};

ui::Form* OffenerDialog() {
    for (ui::Form* f : ui::Formen::Alle())
        if (f->Geladen() && f->Name() != "G_frmTabelle") return f;
    return nullptr;
}

Rechnungssitzung::Tabellentext Text(word::Table t) {
    Rechnungssitzung::Tabellentext zeilen;
    if (t.IstNothing()) return zeilen;
    for (long r = 1; r <= t.Rows().Count(); ++r) {
        std::vector<std::string> zellen;
        for (long c = 1; c <= t.Rows().Item(r).CellCount(); ++c) {
            std::string text = t.Cell(r, c).Range().Text();
            zellen.push_back(text.size() >= 2 ? text.substr(0, text.size() - 2) : text);
        }
        zeilen.push_back(std::move(zellen));
    }
    return zeilen;
}

void EigenschaftSetzen(VK& k, const std::string& name, const std::string& wert) {
    using Setter = void (VK::*)(const Variant&);
    static const std::map<std::string, Setter> setter = {
        {"Flurstücksnummer", &VK::Flurstücksnummer}, {"Fläche", &VK::Fläche},
        {"Bodenwert", &VK::Bodenwert},               {"Lage", &VK::Lage},
        {"Baukosten", &VK::Baukosten},               {"Achslänge", &VK::Achslänge},
        {"Grenzlänge", &VK::Grenzlänge},             {"Flurstücke", &VK::Flurstücke},
        {"AnzahlGrenzpunkte", &VK::AnzahlGrenzpunkte}};
    auto it = setter.find(name);
    if (it == setter.end()) Fehler("Die Eigenschaft '" + name + "' gibt es nicht.");
    try {
        (k.*(it->second))(Variant(wert));
    } catch (const LaufzeitFehler& f) {
        const char* hinweis = f.Nummer() == fehlernummer::TypenUnvertraeglich ? "eine Zahl wird erwartet, " : "";
        Fehler("Eigenschaft " + name + "='" + wert + "': " + hinweis + f.Beschreibung(), f.Nummer());
    }
}

}  // namespace

struct Rechnungssitzung::Zustand {
    Auftrag auftrag;
    std::vector<std::unique_ptr<Rechnungssperre>> sperren;
    std::string hinweis;
    std::shared_ptr<word::Document> doc;
    std::shared_ptr<dao::Workspace> ws = std::make_shared<dao::Workspace>();
    std::shared_ptr<dao::Database> db;
    std::shared_ptr<dao::Recordset> rechnung;
    std::unique_ptr<Transaktion> transaktion;
    std::string transaktionsfehler;  // why the transaction could not begin: a confirmation is refused
    VK komponente;
    std::unique_ptr<Tabellenwahl> wahl;
    ui::Form* form = nullptr;
    bool bestätigt = false;
    Protokollstand vorher, nachher;
};

Rechnungssitzung::Rechnungssitzung(const Auftrag& auftrag) : z_(std::make_unique<Zustand>()) {
    Zustand& z = *z_;
    z.auftrag = auftrag;
    if (z.auftrag.ausgabe.empty()) z.auftrag.ausgabe = z.auftrag.dokument;
    if (!dao::IstServerAdresse(auftrag.datenbank) && !std::filesystem::exists(auftrag.datenbank))
        Fehler("Die Datenbank '" + auftrag.datenbank + "' gibt es nicht.", fehlernummer::DateiNichtGefunden);
    if (ui::Form* offen = OffenerDialog()) Fehler("Der Dialog " + offen->Name() + " ist schon offen.");

    // The invoice, and the file `ausgabe` names when it is another one, held from before the document
    // is read until it is replaced (in one order, so two programs with the two files swapped cannot
    // wait for each other).
    std::vector<std::filesystem::path> dateien = {DateiZiel(z.auftrag.dokument), DateiZiel(z.auftrag.ausgabe)};
    std::sort(dateien.begin(), dateien.end());
    dateien.erase(std::unique(dateien.begin(), dateien.end()), dateien.end());
    for (const auto& datei : dateien) {
        try {
            z.sperren.push_back(std::make_unique<Rechnungssperre>(datei, auftrag.datenbank));
        } catch (const LaufzeitFehler& f) {
            Fehler("Nichts wurde gespeichert: " + f.Beschreibung(), f.Nummer());
        }
        if (!z.sperren.back()->Hinweis().empty())
            z.hinweis += (z.hinweis.empty() ? "" : " ") + z.sperren.back()->Hinweis();
    }
    z.doc = word::Document::Open(z.auftrag.dokument);
    z.db = z.ws->OpenDatabase(auftrag.datenbank);

    // The confirmation's changes to the invoice record wait in a transaction that commits once the
    // new invoice file has replaced the old one: record and document change together or not at all.
    // It begins before the record is read, with the record's row locked on a server, so a second
    // confirmation on the same record waits and then reads the first one's. One that cannot begin
    // (a read-only database, a lock held too long) refuses the confirmation, not a cancel.
    z.transaktion = std::make_unique<Transaktion>(*z.db);
    try {
        z.transaktion->Beginnen();
    } catch (const LaufzeitFehler& f) {
        z.transaktionsfehler = f.Beschreibung();
        z.transaktion.reset();
    }
    if (z.transaktion) {
        try {
            DatensatzSperren(*z.db, auftrag.rechnung);
        } catch (const LaufzeitFehler& f) {
            z.transaktionsfehler = "Rechnung " + std::to_string(auftrag.rechnung) + ": " + f.Beschreibung();
            z.transaktion.reset();
        }
    }
    z.rechnung =
        z.db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?", {Variant(auftrag.rechnung)});
    if (z.rechnung->EOF())
        Fehler("Die Rechnung " + std::to_string(auftrag.rechnung) + " gibt es in " + z.db->Name() + " nicht.");
    if (!BenutzerVorhanden(*z.db, auftrag.benutzer))
        Fehler("Den Benutzer " + std::to_string(auftrag.benutzer) + " gibt es in der Tabelle TempDoc von " + z.db->Name() +
               " nicht.");

    z.komponente.Doc(Variant(z.doc));
    z.komponente.KalWorkspace(Variant(z.ws));
    z.komponente.DatenbankPfad(Variant(auftrag.datenbank));
    z.komponente.ID_Benutzer(Variant(auftrag.benutzer));
    z.komponente.NeueAbfrage(Variant(z.db));
}

Rechnungssitzung::~Rechnungssitzung() {
    if (z_->form && z_->form->Geladen()) FehlerIgnorieren([&] { z_->form->Unload(); });
    z_->wahl.reset();
    // The context shares the document and the database: the next session starts over.
    FehlerIgnorieren([] { KontextZuruecksetzen(); });
}

const std::string& Rechnungssitzung::Hinweis() const { return z_->hinweis; }

void Rechnungssitzung::Eigenschaft(const std::string& name, const std::string& wert) {
    EigenschaftSetzen(z_->komponente, name, wert);
}

void Rechnungssitzung::KategorieÖffnen(int kategorie, const std::string& tabellenwahl, const std::string& antwort) {
    Zustand& z = *z_;
    if (z.form) Fehler("Ein Dialog ist schon offen.");
    if (kategorie < 0 || kategorie > 5) Fehler("Die Kategorie ist 0 bis 5, nicht " + std::to_string(kategorie) + ".");
    if (antwort != "" && antwort != "yes" && antwort != "no") Fehler("Die Antwort ist yes oder no, nicht '" + antwort + "'.");
    z.wahl = std::make_unique<Tabellenwahl>(tabellenwahl);
    if (!antwort.empty())
        for (int i = 0; i < 100; ++i) StandardNachrichten().Antworten(antwort == "yes" ? 6 : 7);
    z.komponente.Show(static_cast<std::int16_t>(kategorie), z.rechnung, 0);
    z.form = OffenerDialog();
    if (!z.form) Fehler("Die Kategorie " + std::to_string(kategorie) + " hat keinen Dialog.");
    z.wahl->Prüfen(kategorie);
    // Counted from here: what the inputs and the confirmation logged, not what reading the
    // existing table back logged while the dialog opened.
    z.vorher = Protokolliert();
}

void Rechnungssitzung::Setzen(const std::string& anweisung) {
    if (!z_->form || !z_->form->Geladen()) Fehler("Kein Dialog ist offen.");
    ui::Setzen(*z_->form, anweisung);
}

void Rechnungssitzung::Bestätigen() {
    Zustand& z = *z_;
    if (!z.form || !z.form->Geladen()) Fehler("Kein Dialog ist offen.");
    const auto nichtGespeichert = [](const std::string& grund) {
        Fehler("Nichts wurde gespeichert: " + grund, fehlernummer::Datenbankfehler);
    };
    if (!z.transaktion) nichtGespeichert(z.transaktionsfehler);
    // An invoice priced without the user's VAT rate, discount and advance is no invoice of theirs.
    if (!Kontext().EinstellungenGelesen)
        nichtGespeichert("Die Einstellungen des Benutzers " + std::to_string(z.auftrag.benutzer) +
                         " sind nicht zu lesen: " + Kontext().EinstellungenFehler);
    Kontext().DatensatzGespeichert = false;
    Kontext().DatensatzFehler.clear();
    ui::Klicken(*z.form, "CommandEnde");
    z.form = nullptr;
    z.nachher = Protokolliert();
    // The component logs a failed statement and goes on; a record it could not store would leave the
    // saved invoice and the record apart.
    if (!Kontext().DatensatzGespeichert)
        nichtGespeichert(Kontext().DatensatzFehler.empty()
                             ? "Die Beträge wurden nicht in die Rechnung " + std::to_string(z.auftrag.rechnung) + " geschrieben."
                             : Kontext().DatensatzFehler);
    try {
        RechnungSpeichern(*z.doc, z.auftrag.ausgabe, z.db.get(), z.auftrag.rechnung, [&] { z.transaktion->Abschliessen(); });
    } catch (const LaufzeitFehler& f) {
        nichtGespeichert(f.Beschreibung());
    }
    z.bestätigt = true;
}

void Rechnungssitzung::Abbrechen() {
    if (!z_->form || !z_->form->Geladen()) Fehler("Kein Dialog ist offen.");
    ui::Klicken(*z_->form, "CommandAbbruch");
    z_->form = nullptr;
}

Rechnungssitzung::Tabellentext Rechnungssitzung::GeschriebeneTabelle() const {
    // The table this confirmation wrote, not the first of its kind (with a choice of new or of the
    // second table it is another one).
    return z_->bestätigt ? Text(Kontext().GeschriebeneTabelle) : Tabellentext{};
}

Rechnungssitzung::Tabellentext Rechnungssitzung::Summentabelle() const {
    if (!z_->bestätigt) return {};
    // The invoice has one totals table, after the fee tables: it is looked for from the end.
    const std::vector<word::Table> tabellen = AlleTabellen(*z_->doc);
    for (auto t = tabellen.rbegin(); t != tabellen.rend(); ++t)
        if (TraegtKennung(*t, kennung::Summe)) return Text(*t);
    return {};
}

Protokollstand Rechnungssitzung::ProtokollImDialog() const {
    return {z_->nachher.anzahl - z_->vorher.anzahl, z_->nachher.anzahl > z_->vorher.anzahl ? z_->nachher.letzter : ""};
}

}  // namespace vk
