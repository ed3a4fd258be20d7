// The host's side of the component: the office database, the chosen invoice record, the invoice
// document and the user, handed to one VK object as a host application hands them; showing a fee
// category in the host window; saving the invoice.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "component/rechnungsspeicher.h"
#include "component/vk.h"
#include "document/Rechnungspruefung.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vkhost {

struct Rechnungszeile {
    int id = 0;
    std::string nummer;  // the invoice number as the office writes it
};

class Sitzung {
public:
    // Each step throws vk::LaufzeitFehler with a message naming the file or record.
    void DatenbankÖffnen(const std::string& pfad);
    // The invoice rows of the open database, by id.
    std::vector<Rechnungszeile> Rechnungen() const;
    void RechnungWählen(int id);
    // Opens the invoice and holds it (its lock, see component/rechnungsspeicher.h) until another
    // one is opened or the session ends: no other program changes it meanwhile. A save a killed
    // program left half done is finished or undone first; what was done is returned ("" when nothing).
    std::string DokumentÖffnen(const std::string& pfad);
    void BenutzerSetzen(int id);

    // What is still missing before a category can be shown ("" when nothing is).
    std::string Fehlt() const;
    // VK.Show with the invoice record and the host window. When the user's settings cannot be read
    // (a lost connection, no TempDoc row) the dialog it opened is closed again and the error raised:
    // an invoice is not priced without them.
    void KategorieZeigen(int index, vk::ui::Fenster host);
    // Proves the saved invoice against the fee ordinance and its totals; changes nothing.
    vk::Prüfbericht Prüfen() const;
    // Before a confirmation: the changes the component makes to the invoice record wait in a
    // transaction until the invoice is saved, with the record's row locked on a server. Raises the
    // error when it cannot begin (a database locked beyond the timeout): the confirmation is refused.
    void TransaktionBeginnen();
    // After an action that did not change the invoice: what waits is stored.
    void TransaktionBeenden();
    // Saves the invoice where it was opened from with what waits for it in the record
    // (vk::RechnungSpeichern). A confirmation whose totals the record did not take is not saved
    // either. A failed save leaves file and record as they were (the record is read again) and throws.
    void Speichern();
    // Changes whenever the invoice's text, tags or text boxes change.
    std::string Fingerabdruck() const;

    const std::shared_ptr<vk::word::Document>& Dokument() const noexcept { return dokument_; }
    const std::string& DatenbankPfad() const noexcept { return datenbankPfad_; }
    int RechnungsId() const noexcept { return rechnungsId_; }
    int Benutzer() const noexcept { return benutzer_; }

private:
    vk::VK komponente_;
    std::shared_ptr<vk::dao::Workspace> workspace_ = std::make_shared<vk::dao::Workspace>();
    std::shared_ptr<vk::dao::Database> datenbank_;
    std::shared_ptr<vk::dao::Recordset> rechnung_;
    std::shared_ptr<vk::word::Document> dokument_;
    std::unique_ptr<vk::Rechnungssperre> sperre_;
    std::string datenbankPfad_;
    int rechnungsId_ = 0;
    int benutzer_ = 0;
    bool transaktion_ = false;
};

}  // namespace vkhost
