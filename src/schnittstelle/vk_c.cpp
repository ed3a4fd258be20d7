// The C interface: each function catches what the C++ interface throws and turns it into a status
// code and this thread's last error text.
#include "vk_lp_08/vk_c.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "vk_lp_08/erechnung.h"
#include "vk_lp_08/fehler.h"
#include "vk_lp_08/gebuehrenstaffeln.h"
#include "vk_lp_08/pruefung.h"
#include "vk_lp_08/sitzung.h"

struct vk_sitzung {
    std::unique_ptr<vk::Rechnungssitzung> sitzung;
};

namespace {

thread_local std::string letzterFehler;
// The one session the invoice context allows at a time.
std::atomic<bool> sitzungOffen{false};

vk_status Merken(vk_status status, std::string text) {
    letzterFehler = std::move(text);
    return status;
}

// Runs the step; what it throws becomes `fehler`, or VK_UNGUELTIG for an invalid argument (an
// unknown name, a step that does not fit: no dialog open).
template <class F>
vk_status Ausführen(F&& schritt, vk_status fehler = VK_FEHLER) {
    letzterFehler.clear();
    try {
        schritt();
        return VK_OK;
    } catch (const vk::LaufzeitFehler& f) {
        return Merken(f.Nummer() == vk::fehlernummer::UngueltigesArgument ? VK_UNGUELTIG : fehler, f.Beschreibung());
    } catch (const std::bad_alloc&) {
        return Merken(fehler, "Nicht genügend Speicher");
    } catch (const std::exception& e) {
        return Merken(fehler, e.what());
    } catch (...) {
        return Merken(fehler, "Unbekannter Fehler");
    }
}

char* Kopie(const std::string& text) {
    char* p = static_cast<char*>(std::malloc(text.size() + 1));
    if (p) std::memcpy(p, text.c_str(), text.size() + 1);
    return p;
}

// One line per row, cells joined by " | ", a paragraph or line break inside a cell as "/".
std::string Zeilen(const vk::Rechnungssitzung::Tabellentext& tabelle) {
    std::string text;
    for (const auto& zeile : tabelle) {
        for (std::size_t i = 0; i < zeile.size(); ++i) {
            std::string zelle = zeile[i];
            for (char& c : zelle)
                if (c == '\r' || c == '\v') c = '/';
            text += (i ? " | " : "") + zelle;
        }
        text += '\n';
    }
    return text;
}

bool Fehlt(const void* zeiger, const char* name, vk_status& status) {
    if (zeiger) return false;
    status = Merken(VK_UNGUELTIG, std::string(name) + " fehlt (NULL).");
    return true;
}

}  // namespace

extern "C" {

const char* vk_version(void) { return "1.0.0"; }

const char* vk_letzter_fehler(void) { return letzterFehler.c_str(); }

void vk_text_freigeben(char* text) { std::free(text); }

vk_status vk_gebuehrenstaffel1(double bodenwert, double flaeche, double* gebuehr) {
    vk_status s;
    if (Fehlt(gebuehr, "gebuehr", s)) return s;
    return Ausführen([&] { *gebuehr = vk::Gebührenstaffel1(bodenwert, flaeche); });
}

vk_status vk_grenzfeststellung_b(double bodenwert, double grenzpunkte, double* gebuehr_je_punkt) {
    vk_status s;
    if (Fehlt(gebuehr_je_punkt, "gebuehr_je_punkt", s)) return s;
    return Ausführen([&] { *gebuehr_je_punkt = vk::Grenzfeststellung_B(bodenwert, grenzpunkte); });
}

vk_status vk_gebaeudevermessung(double baukosten, double* gebuehr) {
    vk_status s;
    if (Fehlt(gebuehr, "gebuehr", s)) return s;
    return Ausführen([&] { *gebuehr = vk::Gebäudevermessung(baukosten); });
}

vk_status vk_sitzung_oeffnen(const char* datenbank, int32_t benutzer, int32_t rechnung, const char* dokument,
                             const char* ausgabe, vk_sitzung** sitzung) {
    vk_status s;
    if (Fehlt(datenbank, "datenbank", s) || Fehlt(dokument, "dokument", s) || Fehlt(sitzung, "sitzung", s)) return s;
    *sitzung = nullptr;
    if (sitzungOffen.exchange(true)) return Merken(VK_BESETZT, "Eine andere Sitzung ist offen.");
    auto neu = std::make_unique<vk_sitzung>();
    s = Ausführen([&] { neu->sitzung = std::make_unique<vk::Rechnungssitzung>(vk::Rechnungssitzung::Auftrag{
                            datenbank, benutzer, rechnung, dokument, ausgabe ? ausgabe : ""}); });
    if (s != VK_OK) {
        sitzungOffen = false;
        return s;
    }
    *sitzung = neu.release();
    return VK_OK;
}

vk_status vk_sitzung_eigenschaft(vk_sitzung* sitzung, const char* name, const char* wert) {
    vk_status s;
    if (Fehlt(sitzung, "sitzung", s) || Fehlt(name, "name", s) || Fehlt(wert, "wert", s)) return s;
    return Ausführen([&] { sitzung->sitzung->Eigenschaft(name, wert); });
}

vk_status vk_sitzung_kategorie(vk_sitzung* sitzung, int kategorie, const char* tabellenwahl, const char* antwort) {
    vk_status s;
    if (Fehlt(sitzung, "sitzung", s)) return s;
    return Ausführen([&] {
        sitzung->sitzung->KategorieÖffnen(kategorie, tabellenwahl ? tabellenwahl : "new", antwort ? antwort : "");
    });
}

vk_status vk_sitzung_setzen(vk_sitzung* sitzung, const char* anweisung) {
    vk_status s;
    if (Fehlt(sitzung, "sitzung", s) || Fehlt(anweisung, "anweisung", s)) return s;
    return Ausführen([&] { sitzung->sitzung->Setzen(anweisung); });
}

vk_status vk_sitzung_bestaetigen(vk_sitzung* sitzung, char** tabelle, char** summen) {
    vk_status s;
    if (Fehlt(sitzung, "sitzung", s)) return s;
    if (tabelle) *tabelle = nullptr;
    if (summen) *summen = nullptr;
    s = Ausführen([&] { sitzung->sitzung->Bestätigen(); }, VK_NICHT_GESPEICHERT);
    if (s != VK_OK) return s;
    if (tabelle) *tabelle = Kopie(Zeilen(sitzung->sitzung->GeschriebeneTabelle()));
    if (summen) *summen = Kopie(Zeilen(sitzung->sitzung->Summentabelle()));
    return VK_OK;
}

vk_status vk_sitzung_abbrechen(vk_sitzung* sitzung) {
    vk_status s;
    if (Fehlt(sitzung, "sitzung", s)) return s;
    return Ausführen([&] { sitzung->sitzung->Abbrechen(); });
}

void vk_sitzung_schliessen(vk_sitzung* sitzung) {
    if (!sitzung) return;
    Ausführen([&] { sitzung->sitzung.reset(); });
    delete sitzung;
    sitzungOffen = false;
}

vk_status vk_pruefen(const char* datenbank, int32_t benutzer, int32_t rechnung, const char* dokument, int* stimmt,
                     char** bericht) {
    vk_status s;
    if (Fehlt(datenbank, "datenbank", s) || Fehlt(dokument, "dokument", s) || Fehlt(stimmt, "stimmt", s)) return s;
    if (bericht) *bericht = nullptr;
    if (sitzungOffen) return Merken(VK_BESETZT, "Eine Sitzung ist offen: erst schließen, dann prüfen.");
    vk::Prüfbericht b;
    s = Ausführen([&] { b = vk::RechnungPrüfen({datenbank, benutzer, rechnung, dokument}); });
    if (s != VK_OK) return s;
    *stimmt = b.Stimmt() ? 1 : 0;
    if (bericht) {
        std::string text;
        for (const std::string& zeile : vk::Berichtszeilen(b)) text += zeile + '\n';
        *bericht = Kopie(text);
    }
    return VK_OK;
}

vk_status vk_erechnung_schreiben(const char* datenbank, int32_t benutzer, int32_t rechnung, const char* dokument,
                                 const char* ausgabe) {
    vk_status s;
    if (Fehlt(datenbank, "datenbank", s) || Fehlt(dokument, "dokument", s) || Fehlt(ausgabe, "ausgabe", s)) return s;
    std::vector<std::string> mängel;
    s = Ausführen([&] { mängel = vk::ERechnungSchreiben({datenbank, benutzer, rechnung, dokument, ausgabe}); });
    if (s != VK_OK || mängel.empty()) return s;
    std::string text;
    for (const std::string& m : mängel) text += (text.empty() ? "" : "\n") + m;
    return Merken(VK_FEHLER, text);
}

}  // extern "C"
