// Class VK: the component object a host creates. Its properties store into the process-wide
// invoice context (one per process, see vk_lp_08.h); Show loads the user's invoice settings and
// opens a fee category's dialog.
//
// Ownership: object properties (Doc, NeueAbfrage, KalWorkspace) and Show's invoice record are
// shared with the host; a new assignment releases the previous object. The objects themselves come
// from wirtsobjekte.h.
#pragma once

#include <cstdint>
#include <memory>

#include "vk_lp_08/ereignis.h"
#include "vk_lp_08/export.h"
#include "vk_lp_08/variant.h"

namespace vk {

namespace dao {
class Recordset;  // an invoice record (RechnungssatzÖffnen in wirtsobjekte.h)
}

class VK_API VK : public Objekt {
public:
    // Stores the window and the invoice record, reads the user's TempDoc row into the context and
    // opens the dialog of category Index (0 to 5; any other index opens nothing). Never fails
    // towards the host: each failing step is logged ("Rechnung", "Show") and Show goes on.
    void Show(std::int16_t Index, std::shared_ptr<dao::Recordset> Rechnung, std::int32_t hWndMDI);

    // Accepted for hosts that call it; has no effect.
    void Aktualisieren();

    // Properties. Each Let converts with the automation rules (integers round half to even) and
    // throws type mismatch (13) or overflow (6) to the caller, keeping the stored value; each Get
    // returns the stored value as a Variant of the stored type.
    Variant Flurstücksnummer() const;     void Flurstücksnummer(const Variant& wert);   // string
    Variant Fläche() const;               void Fläche(const Variant& wert);             // double
    Variant Bodenwert() const;            void Bodenwert(const Variant& wert);          // double
    Variant Lage() const;                 void Lage(const Variant& wert);               // string
    Variant Baukosten() const;            void Baukosten(const Variant& wert);          // double
    Variant Achslänge() const;            void Achslänge(const Variant& wert);          // 16-bit
    Variant Grenzlänge() const;           void Grenzlänge(const Variant& wert);         // 32-bit
    Variant Flurstücke() const;           void Flurstücke(const Variant& wert);         // 16-bit
    Variant AnzahlGrenzpunkte() const;    void AnzahlGrenzpunkte(const Variant& wert);  // 16-bit
    // A word::Document (anything else: 13); setting it also sets WordApp to its application.
    // An empty object reference releases document and application.
    Variant Doc() const;                  void Doc(const Variant& wert);
    Variant ID_Benutzer() const;          void ID_Benutzer(const Variant& wert);        // 32-bit
    Variant NeueAbfrage() const;          void NeueAbfrage(const Variant& wert);        // dao::Database
    Variant DatenbankPfad() const;        void DatenbankPfad(const Variant& wert);      // string
    Variant KalWorkspace() const;         void KalWorkspace(const Variant& wert);       // dao::Workspace

    // Event for hosts that bind to it; the component never raises it.
    Ereignis DatenAktualisieren;
};

}  // namespace vk
