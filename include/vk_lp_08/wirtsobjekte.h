// The objects a host hands to VK (vk.h): the invoice document, the workspace and office database,
// the invoice record for Show. They are opaque to the host (shared by VK and the host; the last
// holder releases them) and come only from here.
//
//   auto ws = vk::ArbeitsbereichAnlegen();
//   auto db = vk::DatenbankÖffnen(ws, "buero.sqlite");
//   auto doc = vk::DokumentÖffnen("Rechnung.docx");
//   vk::VK k;
//   k.Doc(vk::Variant(doc)); k.KalWorkspace(vk::Variant(ws)); k.NeueAbfrage(vk::Variant(db));
//   k.DatenbankPfad(vk::Variant("buero.sqlite")); k.ID_Benutzer(vk::Variant(1));
//   k.Show(4, vk::RechnungssatzÖffnen(db, 1), 0);   // the dialog of category 4
//
// A host that wants the dialog driven by control name and the invoice saved with its record uses
// Rechnungssitzung (sitzung.h) instead. Errors: vk::LaufzeitFehler (fehler.h) naming what failed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "vk_lp_08/export.h"
#include "vk_lp_08/variant.h"

namespace vk {

namespace dao {
class Recordset;
}

// The invoice document (.docx) for VK::Doc; a damaged or foreign file raises error 5152 naming it.
VK_API std::shared_ptr<Objekt> DokumentÖffnen(const std::filesystem::path& datei);
// Saves it atomically (a new file beside the target renamed over it: a failed save leaves the old).
// Its invoice record is not part of this: Rechnungssitzung saves both together.
VK_API void DokumentSpeichern(const std::shared_ptr<Objekt>& dokument, const std::filesystem::path& datei);

// A workspace for VK::KalWorkspace, and an office database opened in it for VK::NeueAbfrage: a
// SQLite file or a postgresql:// address (the password from PGPASSWORD or ~/.pgpass).
VK_API std::shared_ptr<Objekt> ArbeitsbereichAnlegen();
VK_API std::shared_ptr<Objekt> DatenbankÖffnen(const std::shared_ptr<Objekt>& arbeitsbereich, const std::string& name);
// Creates the office tables (empty) in a new database file, or in the server database an address
// names, which must hold none of them yet.
VK_API void DatenbankAnlegen(const std::string& name);

// The invoice record ID_Rechnungsnummer = `rechnung` for VK::Show; an invoice that does not exist
// raises error 5.
VK_API std::shared_ptr<dao::Recordset> RechnungssatzÖffnen(const std::shared_ptr<Objekt>& datenbank,
                                                           std::int32_t rechnung);

// Back to the initial state: every property, setting and object of the invoice context released.
// After it another thread may use the component.
VK_API void KontextZurücksetzen();

}  // namespace vk
