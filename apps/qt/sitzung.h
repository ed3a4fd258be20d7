// The host's side of the component: the office database, the chosen invoice record, the invoice
// document and the user, handed to one VK object as a host application hands them; showing a fee
// category in the host window; saving the invoice.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
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
    // Writes the e-invoice of the saved invoice to `ziel`; the refusals, empty when it was written.
    std::vector<std::string> ERechnungSchreiben(const std::string& ziel) const;
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

    // Whether the invoice file on disk is no longer the one opened or last saved here (a word
    // processor saved it meanwhile).
    bool DateiAußenGeändert() const;
    // Opens the invoice file again as it now is. Open dialogs move onto the same tables of it (the
    // k-th table of their key); a dialog whose table is gone writes a new one.
    void DokumentNeuLaden();

    // The invoice as it stands: the file's bytes on disk and the totals the record holds.
    struct Stand {
        std::string datei;
        std::vector<std::pair<std::string, vk::Variant>> datensatz;
    };
    Stand StandMerken() const;
    // Puts file and record back as they were in `stand`, saved as a confirmation saves: the record's
    // totals commit with the new file, and a failed save leaves both as they are now (and throws).
    // Open dialogs move onto the tables of the restored invoice.
    void StandWiederherstellen(const Stand& stand);

    const std::shared_ptr<vk::word::Document>& Dokument() const noexcept { return dokument_; }
    const std::string& DatenbankPfad() const noexcept { return datenbankPfad_; }
    int RechnungsId() const noexcept { return rechnungsId_; }
    int Benutzer() const noexcept { return benutzer_; }

private:
    // The invoice file's identity on disk: modification time, size and file (a save replaces it).
    struct Dateistand {
        std::filesystem::file_time_type zeit{};
        std::uintmax_t größe = 0;
        std::uint64_t knoten = 0;
        bool operator==(const Dateistand&) const = default;
    };
    Dateistand DateistandLesen() const;
    // Makes `neu` the session's document; open dialogs move onto its tables.
    void DokumentErsetzen(std::shared_ptr<vk::word::Document> neu);
    // Writes `datensatz` (the record's changes, in the transaction begun) and saves the document to
    // `pfad`; the transaction commits once the new file is complete, just before it replaces the old
    // one. A failure rolls back, reads the record again and throws.
    void MitDatensatzSpeichern(vk::word::Document& dokument, const std::filesystem::path& pfad,
                               const std::function<void()>& datensatz);

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
    Dateistand dateistand_;
};

}  // namespace vkhost
