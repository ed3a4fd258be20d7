#include "sitzung.h"

#include <filesystem>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "einvoice/ERechnung.h"

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

void Sitzung::DokumentÖffnen(const std::string& pfad) {
    auto doc = vk::word::Document::Open(pfad);
    komponente_.Doc(vk::Variant(doc));
    dokument_ = std::move(doc);
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
    komponente_.Show(static_cast<std::int16_t>(index), rechnung_, static_cast<std::int32_t>(host));
}

void Sitzung::TransaktionBeginnen() {
    if (!datenbank_ || transaktion_) return;
    // Logged when it cannot begin: the totals are then stored on their own.
    vk::Prozedur proc("vk-host", "TransaktionBeginnen");
    transaktion_ = proc([&] { datenbank_->BeginTrans(); });
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
    try {
        dokument_->Save([&] {
            if (!transaktion_) return;
            datenbank_->CommitTrans();
            transaktion_ = false;
        });
    } catch (...) {
        if (transaktion_) {
            transaktion_ = false;
            vk::FehlerIgnorieren([&] { datenbank_->Rollback(); });
            // The record in memory holds what was rolled back: read it again for the next Show.
            if (rechnungsId_) vk::FehlerIgnorieren([&] { RechnungWählen(rechnungsId_); });
        }
        throw;
    }
}

std::string Sitzung::Fingerabdruck() const {
    if (!dokument_) return {};
    std::string f = dokument_->Content().Text();
    for (vk::word::Comment c : dokument_->Comments()) f += "\x1f" + c.Text();
    f += "\x1e" + std::to_string(dokument_->Shapes().Count());
    return f;
}

}  // namespace vkhost
