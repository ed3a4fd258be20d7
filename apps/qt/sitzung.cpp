#include "sitzung.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "categories/Kategoriedialog.h"
#include "common/fehler.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/KV_WordAuto.h"
#include "document/tabellenkennung.h"
#include "einvoice/ERechnung.h"
#include "platform/controls/formen.h"

namespace vkhost {

void Sitzung::DatenbankÖffnen(const std::string& pfad) {
    if (!vk::dao::IstServerAdresse(pfad) && !std::filesystem::exists(pfad))
        throw vk::LaufzeitFehler(vk::fehlernummer::UngueltigesArgument, "Datenbank nicht gefunden: " + pfad);
    auto db = workspace_->OpenDatabase(pfad);
    db->OpenRecordset("SELECT * FROM Rechnung WHERE 1 = 0")->Close();  // an office database has invoices
    if (datenbank_) datenbank_->Close();
    datenbank_ = std::move(db);
    datenbankPfad_ = pfad;
    rechnung_.reset();
    rechnungsId_ = 0;
    komponente_.KalWorkspace(vk::Variant(workspace_));
    komponente_.DatenbankPfad(vk::Variant(pfad));
    komponente_.NeueAbfrage(vk::Variant(datenbank_));
}

std::vector<Rechnungszeile> Sitzung::Rechnungen() const {
    std::vector<Rechnungszeile> zeilen;
    if (!datenbank_) return zeilen;
    auto rs = datenbank_->OpenRecordset("SELECT ID_Rechnungsnummer, Rechnungsnummer FROM Rechnung ORDER BY ID_Rechnungsnummer");
    for (; !rs->EOF(); rs->MoveNext()) {
        const vk::Variant nummer = rs->Fields("Rechnungsnummer").Value();
        zeilen.push_back({vk::CLng(rs->Fields("ID_Rechnungsnummer").Value()),
                          nummer.IstNull() ? std::string() : vk::CStr(nummer)});
    }
    rs->Close();
    return zeilen;
}

void Sitzung::RechnungWählen(int id) {
    if (!datenbank_) throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt, "Keine Datenbank geöffnet");
    auto rs = datenbank_->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?",
                                        {vk::Variant(static_cast<std::int32_t>(id))});
    if (rs->EOF())
        throw vk::LaufzeitFehler(vk::fehlernummer::UngueltigesArgument,
                                 "Keine Rechnung " + std::to_string(id) + " in " + datenbank_->Name());
    rechnung_ = std::move(rs);
    rechnungsId_ = id;
}

namespace {

// The fields of the invoice record a confirmation writes.
constexpr const char* kSummenfelder[] = {"NettoRechnung", "Brutto", "MehrwertsteuerFreierbetrag", "Mehrwertsteuersatz"};

// The table of `neu` that stands where `tabelle` stood in `alt`: the same key and the same count
// among the tables of that key (Nothing when `neu` has fewer of them, or `tabelle` carries no key).
vk::word::Table GleicheTabelle(const vk::word::Table& tabelle, const vk::word::Document& alt, const vk::word::Document& neu) {
    if (tabelle.IstNothing()) return {};
    const std::string kennung = vk::Tabellenkennung(tabelle);
    if (kennung.empty()) return {};
    int k = 0;
    for (const vk::word::Table& t : vk::AlleTabellen(const_cast<vk::word::Document&>(alt))) {
        if (vk::TraegtKennung(t, kennung)) ++k;
        if (t.IsSame(tabelle)) break;
    }
    for (const vk::word::Table& t : vk::AlleTabellen(const_cast<vk::word::Document&>(neu)))
        if (vk::TraegtKennung(t, kennung) && --k == 0) return t;
    return {};
}

std::string DateiLesen(const std::filesystem::path& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) throw vk::LaufzeitFehler(vk::fehlernummer::DateiNichtGefunden, "Die Datei " + pfad.string() + " kann nicht gelesen werden.");
    std::ostringstream inhalt;
    inhalt << ein.rdbuf();
    return inhalt.str();
}

}  // namespace

std::string Sitzung::DokumentÖffnen(const std::string& pfad) {
    // The invoice stays locked while it is open here: a confirmation elsewhere waits, and what a
    // killed save left is put right before the file is read.
    auto sperre = std::make_unique<vk::Rechnungssperre>(pfad, datenbankPfad_);
    auto doc = vk::word::Document::Open(pfad);
    komponente_.Doc(vk::Variant(doc));
    dokument_ = std::move(doc);
    sperre_ = std::move(sperre);
    dateistand_ = DateistandLesen();
    return sperre_->Hinweis();
}

Sitzung::Dateistand Sitzung::DateistandLesen() const {
    Dateistand d;
    struct stat st {};
    if (!dokument_ || ::stat(dokument_->Path().c_str(), &st) != 0) return d;
    std::error_code ec;
    d.zeit = std::filesystem::last_write_time(dokument_->Path(), ec);
    d.größe = static_cast<std::uintmax_t>(st.st_size);
    d.knoten = static_cast<std::uint64_t>(st.st_ino);
    return d;
}

bool Sitzung::DateiAußenGeändert() const {
    if (!dokument_ || dokument_->Path().empty()) return false;
    return !(DateistandLesen() == dateistand_);
}

void Sitzung::DokumentErsetzen(std::shared_ptr<vk::word::Document> neu) {
    const std::shared_ptr<vk::word::Document> alt = dokument_;
    for (vk::ui::Form* f : vk::ui::Formen::Alle()) {
        auto* dialog = dynamic_cast<vk::Kategoriedialog*>(f);
        if (!dialog || !dialog->Geladen() || !alt) continue;
        dialog->FormTabelle() = GleicheTabelle(dialog->FormTabelle(), *alt, *neu);
    }
    komponente_.Doc(vk::Variant(neu));
    dokument_ = std::move(neu);
    dateistand_ = DateistandLesen();
}

void Sitzung::DokumentNeuLaden() {
    if (!dokument_) return;
    DokumentErsetzen(vk::word::Document::Open(dokument_->Path()));
}

Sitzung::Stand Sitzung::StandMerken() const {
    Stand stand;
    if (dokument_ && !dokument_->Path().empty()) stand.datei = DateiLesen(dokument_->Path());
    if (rechnung_)
        for (const char* feld : kSummenfelder) stand.datensatz.emplace_back(feld, rechnung_->Fields(feld).Value());
    return stand;
}

void Sitzung::StandWiederherstellen(const Stand& stand) {
    if (!dokument_ || dokument_->Path().empty() || stand.datei.empty())
        throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt, "Kein gespeichertes Rechnungsdokument geöffnet");
    const std::filesystem::path pfad = dokument_->Path();
    // The earlier bytes beside the invoice, opened as a document and saved over it the way every
    // confirmation saves.
    std::string muster = (pfad.parent_path() / ".vk-rueckgaengig-XXXXXX").string();
    const int fd = ::mkstemp(muster.data());
    if (fd < 0)
        throw vk::LaufzeitFehler(vk::fehlernummer::DateiZugriffsfehler, "Im Ordner " + pfad.parent_path().string() +
                                                                           " kann keine Datei angelegt werden.");
    const std::filesystem::path vorher = muster;
    const bool geschrieben = ::write(fd, stand.datei.data(), stand.datei.size()) == static_cast<ssize_t>(stand.datei.size());
    ::close(fd);
    struct Weg {
        std::filesystem::path p;
        ~Weg() {
            std::error_code ec;
            std::filesystem::remove(p, ec);
        }
    } weg{vorher};
    if (!geschrieben)
        throw vk::LaufzeitFehler(vk::fehlernummer::DateiZugriffsfehler, "Die frühere Fassung kann nicht geschrieben werden.");
    auto alt = vk::word::Document::Open(vorher);
    TransaktionBeginnen();
    MitDatensatzSpeichern(*alt, pfad, [&] {
        if (!rechnung_ || stand.datensatz.empty()) return;
        rechnung_->Edit();
        for (const auto& [feld, wert] : stand.datensatz) rechnung_->Fields(feld).SetValue(wert);
        rechnung_->Update();
    });
    DokumentErsetzen(vk::word::Document::Open(pfad));
}

void Sitzung::BenutzerSetzen(int id) {
    komponente_.ID_Benutzer(vk::Variant(static_cast<std::int32_t>(id)));
    benutzer_ = id;
}

std::string Sitzung::Fehlt() const {
    if (!datenbank_) return "Bitte zuerst eine Datenbank öffnen (Datei › Datenbank öffnen).";
    if (!rechnung_) return "Bitte eine Rechnung der Datenbank wählen (Datei › Datenbank öffnen).";
    if (!dokument_) return "Bitte das Rechnungsdokument öffnen (Datei › Rechnung öffnen).";
    return {};
}

void Sitzung::KategorieZeigen(int index, vk::ui::Fenster host) {
    std::vector<vk::ui::Form*> offen;
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen()) offen.push_back(f);
    komponente_.Show(static_cast<std::int16_t>(index), rechnung_, static_cast<std::int32_t>(host));
    if (vk::Kontext().EinstellungenGelesen) return;
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen() && std::find(offen.begin(), offen.end(), f) == offen.end()) vk::FehlerIgnorieren([&] { f->Unload(); });
    throw vk::LaufzeitFehler(vk::fehlernummer::UngueltigesArgument,
                             "Die Einstellungen des Benutzers " + std::to_string(benutzer_) +
                                 " sind nicht zu lesen; ohne sie wird keine Rechnung berechnet: " +
                                 vk::Kontext().EinstellungenFehler);
}

void Sitzung::TransaktionBeginnen() {
    if (!datenbank_ || transaktion_) return;
    datenbank_->BeginTrans();
    transaktion_ = true;
    try {
        if (rechnungsId_) vk::DatensatzSperren(*datenbank_, rechnungsId_);
    } catch (const vk::LaufzeitFehler& f) {
        TransaktionBeenden();
        throw vk::LaufzeitFehler(f.Nummer(), "Rechnung " + std::to_string(rechnungsId_) + ": " + f.Beschreibung());
    }
    vk::Kontext().DatensatzGespeichert = false;
    vk::Kontext().DatensatzFehler.clear();
}

void Sitzung::TransaktionBeenden() {
    if (!transaktion_) return;
    transaktion_ = false;
    if (!vk::FehlerIgnorieren([&] { datenbank_->CommitTrans(); })) vk::FehlerIgnorieren([&] { datenbank_->Rollback(); });
}

vk::Prüfbericht Sitzung::Prüfen() const {
    if (!dokument_ || dokument_->Path().empty())
        throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt, "Kein gespeichertes Rechnungsdokument geöffnet");
    return vk::RechnungPrüfen({datenbankPfad_, benutzer_, rechnungsId_, dokument_->Path()});
}

std::vector<std::string> Sitzung::ERechnungSchreiben(const std::string& ziel) const {
    if (!dokument_ || dokument_->Path().empty())
        throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt, "Kein gespeichertes Rechnungsdokument geöffnet");
    return vk::ERechnungSchreiben({datenbankPfad_, benutzer_, rechnungsId_, dokument_->Path(), ziel});
}

void Sitzung::Speichern() {
    if (!dokument_) throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt, "Kein Rechnungsdokument geöffnet");
    if (dokument_->Path().empty())
        throw vk::LaufzeitFehler(vk::fehlernummer::UngueltigesArgument, "Das Dokument hat noch keinen Dateinamen");
    MitDatensatzSpeichern(*dokument_, dokument_->Path(), [&] {
        // A confirmation waits in the transaction: its record must have taken the totals.
        if (transaktion_ && rechnung_ && !vk::Kontext().DatensatzGespeichert)
            throw vk::LaufzeitFehler(vk::fehlernummer::Datenbankfehler,
                                     vk::Kontext().DatensatzFehler.empty()
                                         ? "Die Beträge wurden nicht in den Rechnungsdatensatz geschrieben."
                                         : vk::Kontext().DatensatzFehler);
    });
}

void Sitzung::MitDatensatzSpeichern(vk::word::Document& dokument, const std::filesystem::path& pfad,
                                    const std::function<void()>& datensatz) {
    try {
        if (datensatz) datensatz();
        vk::RechnungSpeichern(dokument, pfad, transaktion_ ? datenbank_.get() : nullptr, rechnungsId_, [&] {
            if (!transaktion_) return;
            datenbank_->CommitTrans();
            transaktion_ = false;
        });
    } catch (...) {
        if (transaktion_) {
            transaktion_ = false;
            vk::FehlerIgnorieren([&] { datenbank_->Rollback(); });
        }
        // The record in memory may hold what was rolled back: read it again for the next Show.
        if (rechnungsId_) vk::FehlerIgnorieren([&] { RechnungWählen(rechnungsId_); });
        throw;
    }
    dateistand_ = DateistandLesen();
}

std::string Sitzung::Fingerabdruck() const {
    if (!dokument_) return {};
    std::string f = dokument_->Content().Text();
    for (vk::word::Comment c : dokument_->Comments()) f += "\x1f" + c.Text();
    f += "\x1e" + std::to_string(dokument_->Shapes().Count());
    return f;
}

}  // namespace vkhost
