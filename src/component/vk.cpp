#include "component/vk.h"

#include <string>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "component/rechnungskontext.h"
#include "platform/dao/database.h"
#include "platform/dao/workspace.h"
#include "platform/word/document.h"

namespace vk {
namespace {

// The object a Variant holds as T: nullptr for an empty object reference, 13 for anything that
// is not an object or not a T.
template <class T>
std::shared_ptr<T> ObjektAus(const Variant& wert, const char* erwartet) {
    auto falsch = [&] {
        return LaufzeitFehler(fehlernummer::TypenUnvertraeglich,
                              std::string("Typen unverträglich: erwartet wird ") + erwartet + ".");
    };
    if (!wert.IstObjekt()) throw falsch();
    auto objekt = wert.Objekt_als<Objekt>();
    if (!objekt) return nullptr;
    auto t = std::dynamic_pointer_cast<T>(objekt);
    if (!t) throw falsch();
    return t;
}

Variant AlsVariant(std::shared_ptr<Objekt> objekt) { return Variant(std::move(objekt)); }

}  // namespace

void VK::Aktualisieren() {}

Variant VK::Flurstücksnummer() const { return Variant(Kontext().Flurstücksnummer); }
void VK::Flurstücksnummer(const Variant& wert) { Kontext().Flurstücksnummer = CStr(wert); }

Variant VK::Fläche() const { return Variant(Kontext().Fläche); }
void VK::Fläche(const Variant& wert) { Kontext().Fläche = CDbl(wert); }

Variant VK::Bodenwert() const { return Variant(Kontext().Bodenwert); }
void VK::Bodenwert(const Variant& wert) { Kontext().Bodenwert = CDbl(wert); }

Variant VK::Lage() const { return Variant(Kontext().Lage); }
void VK::Lage(const Variant& wert) { Kontext().Lage = CStr(wert); }

Variant VK::Baukosten() const { return Variant(Kontext().Baukosten); }
void VK::Baukosten(const Variant& wert) { Kontext().Baukosten = CDbl(wert); }

Variant VK::Achslänge() const { return Variant(Kontext().Achslänge); }
void VK::Achslänge(const Variant& wert) { Kontext().Achslänge = CInt(wert); }

Variant VK::Grenzlänge() const { return Variant(Kontext().Grenzlänge); }
void VK::Grenzlänge(const Variant& wert) { Kontext().Grenzlänge = CLng(wert); }

Variant VK::Flurstücke() const { return Variant(Kontext().Flurstücke); }
void VK::Flurstücke(const Variant& wert) { Kontext().Flurstücke = CInt(wert); }

Variant VK::AnzahlGrenzpunkte() const { return Variant(Kontext().AnzahlGrenzpunkte); }
void VK::AnzahlGrenzpunkte(const Variant& wert) { Kontext().AnzahlGrenzpunkte = CInt(wert); }

Variant VK::Doc() const { return AlsVariant(Kontext().Doc); }
void VK::Doc(const Variant& wert) {
    auto doc = ObjektAus<word::Document>(wert, "ein Word-Dokument");
    std::shared_ptr<word::Application> anwendung;
    if (doc) anwendung = doc->Application();
    Rechnungskontext& k = Kontext();
    k.Doc = std::move(doc);
    k.WordApp = std::move(anwendung);
    k.GeschriebeneTabelle = word::Table();  // a table of the document before, if any
}

Variant VK::ID_Benutzer() const { return Variant(Kontext().ID_Benutzer); }
void VK::ID_Benutzer(const Variant& wert) { Kontext().ID_Benutzer = CLng(wert); }

Variant VK::NeueAbfrage() const { return AlsVariant(Kontext().NeueAbfrage); }
void VK::NeueAbfrage(const Variant& wert) { Kontext().NeueAbfrage = ObjektAus<dao::Database>(wert, "eine Datenbank"); }

Variant VK::DatenbankPfad() const { return Variant(Kontext().DatenbankPfad); }
void VK::DatenbankPfad(const Variant& wert) { Kontext().DatenbankPfad = CStr(wert); }

Variant VK::KalWorkspace() const { return AlsVariant(Kontext().KalWorkspace); }
void VK::KalWorkspace(const Variant& wert) { Kontext().KalWorkspace = ObjektAus<dao::Workspace>(wert, "ein Arbeitsbereich"); }

}  // namespace vk
