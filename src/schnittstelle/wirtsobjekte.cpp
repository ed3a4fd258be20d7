// The host's objects behind the opaque handles of the public interface.
#include "vk_lp_08/wirtsobjekte.h"

#include "common/fehler.h"
#include "component/rechnungskontext.h"
#include "platform/dao/dao.h"
#include "platform/dao/schema.h"
#include "platform/word/document.h"

namespace vk {
namespace {

template <class T>
std::shared_ptr<T> Als(const std::shared_ptr<Objekt>& objekt, const char* was) {
    auto t = std::dynamic_pointer_cast<T>(objekt);
    if (!t) throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich, std::string("Erwartet wird ") + was + ".");
    return t;
}

}  // namespace

std::shared_ptr<Objekt> DokumentÖffnen(const std::filesystem::path& datei) { return word::Document::Open(datei); }

void DokumentSpeichern(const std::shared_ptr<Objekt>& dokument, const std::filesystem::path& datei) {
    Als<word::Document>(dokument, "ein Rechnungsdokument")->Save(datei);
}

std::shared_ptr<Objekt> ArbeitsbereichAnlegen() { return std::make_shared<dao::Workspace>(); }

std::shared_ptr<Objekt> DatenbankÖffnen(const std::shared_ptr<Objekt>& arbeitsbereich, const std::string& name) {
    return Als<dao::Workspace>(arbeitsbereich, "ein Arbeitsbereich")->OpenDatabase(name);
}

void DatenbankAnlegen(const std::string& name) { dao::DatenbankAnlegen(name); }

std::shared_ptr<dao::Recordset> RechnungssatzÖffnen(const std::shared_ptr<Objekt>& datenbank, std::int32_t rechnung) {
    auto rs = Als<dao::Database>(datenbank, "eine Datenbank")
                  ->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?", {Variant(rechnung)});
    if (rs->EOF())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                             "Die Rechnung " + std::to_string(rechnung) + " gibt es nicht.");
    return rs;
}

void KontextZurücksetzen() { KontextZuruecksetzen(); }

}  // namespace vk
