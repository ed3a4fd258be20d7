#include "sitzung.h"

#include <algorithm>
#include <filesystem>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
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

std::string Sitzung::DokumentÖffnen(const std::string& pfad) {
    auto sperre = std::make_unique<vk::Rechnungssperre>(pfad, datenbankPfad_);
    auto doc = vk::word::Document::Open(pfad);
    komponente_.Doc(vk::Variant(doc));
    dokument_ = std::move(doc);
    sperre_ = std::move(sperre);
    return sperre_->Hinweis();
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

void Sitzung::Speichern() {
    if (!dokument_) throw vk::LaufzeitFehler(vk::fehlernummer::ObjektNichtFestgelegt, "Kein Rechnungsdokument geöffnet");
    if (dokument_->Path().empty())
        throw vk::LaufzeitFehler(vk::fehlernummer::UngueltigesArgument, "Das Dokument hat noch keinen Dateinamen");
    try {
        // A confirmation waits in the transaction: its record must have taken the totals.
        if (transaktion_ && rechnung_ && !vk::Kontext().DatensatzGespeichert)
            throw vk::LaufzeitFehler(vk::fehlernummer::Datenbankfehler,
                                     vk::Kontext().DatensatzFehler.empty()
                                         ? "Die Beträge wurden nicht in den Rechnungsdatensatz geschrieben."
                                         : vk::Kontext().DatensatzFehler);
        vk::RechnungSpeichern(*dokument_, dokument_->Path(), transaktion_ ? datenbank_.get() : nullptr, rechnungsId_, [&] {
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
