/* vk_lp_08 for programs in any language: a C interface over the library (Python's ctypes, a web
 * service, another office program).
 *
 * Conventions:
 * - Every function returns a status code (vk_status); VK_OK is 0. After any other code,
 *   vk_letzter_fehler() gives the reason as one German line ("Die Datenbank 'x.sqlite' gibt es
 *   nicht."). No exception crosses this interface.
 * - Texts are UTF-8, in and out. Numbers in texts follow German conventions ("1.234,5"), whatever
 *   the process locale.
 * - Handles are opaque: made by one function (vk_sitzung_oeffnen), given back with vk_sitzung_schliessen.
 *   A text the library hands out (char** parameters) belongs to the caller, who frees it with
 *   vk_text_freigeben.
 * - Threads: the component keeps one invoice context per process. Open one session at a time and
 *   use it from one thread at a time; a second open session is refused (VK_BESETZT). The fee scales,
 *   vk_pruefen and vk_erechnung_schreiben take no session; vk_letzter_fehler is per thread.
 */
#ifndef VK_LP_08_VK_C_H
#define VK_LP_08_VK_C_H

#include <stdint.h>

#include "vk_lp_08/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum vk_status {
    VK_OK = 0,
    VK_FEHLER = 1,           /* the step failed; vk_letzter_fehler says why; nothing was saved */
    VK_UNGUELTIG = 2,        /* a null pointer, an unknown name, a value outside its range */
    VK_BESETZT = 3,          /* another session is open in this process */
    VK_NICHT_GESPEICHERT = 4 /* a confirmation whose invoice or record could not be saved: both as before */
} vk_status;

/* An invoice opened for one category's dialog, as `vk apply` drives it. */
typedef struct vk_sitzung vk_sitzung;

/* The library's version, "1.0.0". */
VK_API const char* vk_version(void);

/* The reason of this thread's last failed call (UTF-8; "" when there was none). The text stays
 * valid until this thread's next call into the library. */
VK_API const char* vk_letzter_fehler(void);

/* Frees a text the library handed out (NULL is allowed). */
VK_API void vk_text_freigeben(char* text);

/* ---- Fee scales (euro, unrounded) ---------------------------------------------------------- */

VK_API vk_status vk_gebuehrenstaffel1(double bodenwert, double flaeche, double* gebuehr);
VK_API vk_status vk_grenzfeststellung_b(double bodenwert, double grenzpunkte, double* gebuehr_je_punkt);
VK_API vk_status vk_gebaeudevermessung(double baukosten, double* gebuehr);

/* ---- One category's dialog on an invoice ---------------------------------------------------- */

/* Opens the office database (a SQLite file or a postgresql:// address), the invoice document and
 * the invoice record `rechnung` for user `benutzer`, and takes the invoice's lock (a second
 * confirmation of the same invoice waits for it). A confirmation saves the invoice to `ausgabe`, or
 * in place when it is NULL. Nothing is changed until vk_sitzung_bestaetigen. */
VK_API vk_status vk_sitzung_oeffnen(const char* datenbank, int32_t benutzer, int32_t rechnung, const char* dokument,
                                    const char* ausgabe, vk_sitzung** sitzung);

/* A job quantity as the host sets it before the dialog opens ("Flurstücksnummer", "123/4";
 * "Fläche", "800"; "Bodenwert", "12,5"; "Baukosten"; "Achslänge"; "Grenzlänge"; "Flurstücke";
 * "AnzahlGrenzpunkte"; "Lage"). */
VK_API vk_status vk_sitzung_eigenschaft(vk_sitzung* sitzung, const char* name, const char* wert);

/* Opens the dialog of category 0 to 5. `tabellenwahl` answers the table-choice dialog when the
 * invoice has tables of the category: "new" (NULL: the same), "1" to "5" or "cursor"; a choice the
 * dialog does not offer is refused (VK_UNGUELTIG) before anything changes. `antwort` answers the
 * dialog's questions ("Zeile löschen?"): "yes", "no" or NULL (no). */
VK_API vk_status vk_sitzung_kategorie(vk_sitzung* sitzung, int kategorie, const char* tabellenwahl,
                                      const char* antwort);

/* One action of a person on the open dialog, by control name: "chkOrt=1", "mskMehrfach=2",
 * "optArt(1)=1", "GridGebühren(1,2)=200000" (a text field takes the value whole, as pasted). */
VK_API vk_status vk_sitzung_setzen(vk_sitzung* sitzung, const char* anweisung);

/* "&OK": the fee table and the totals are written and the invoice saved together with its record.
 * VK_NICHT_GESPEICHERT leaves file and record as they were.
 * `tabelle` and `summen`, when not NULL, receive the written fee table and the totals table as text:
 * one line per row, cells separated by " | " (free with vk_text_freigeben). */
VK_API vk_status vk_sitzung_bestaetigen(vk_sitzung* sitzung, char** tabelle, char** summen);

/* "&Abbruch": the dialog closes, nothing is written. */
VK_API vk_status vk_sitzung_abbrechen(vk_sitzung* sitzung);

/* Closes the dialog if one is open (unconfirmed edits are dropped), releases the lock and the
 * session. NULL is allowed. */
VK_API void vk_sitzung_schliessen(vk_sitzung* sitzung);

/* ---- Proof and e-invoice (read only) -------------------------------------------------------- */

/* Proves an invoice as `vk check` does. `stimmt` gets 1 when every fee table, the totals, the letter
 * amounts and the record were compared and agree, else 0; `bericht` (may be NULL) the report, one
 * finding per line. */
VK_API vk_status vk_pruefen(const char* datenbank, int32_t benutzer, int32_t rechnung, const char* dokument,
                            int* stimmt, char** bericht);

/* Writes the invoice as an XRechnung (CII) to `ausgabe`. VK_FEHLER with one line per missing or
 * invalid datum in vk_letzter_fehler when it is refused; nothing is written then. */
VK_API vk_status vk_erechnung_schreiben(const char* datenbank, int32_t benutzer, int32_t rechnung,
                                        const char* dokument, const char* ausgabe);

#ifdef __cplusplus
}
#endif

#endif
