#include "document/Bestaetigung.h"

#include "common/fehler.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/SummeBilden.h"
#include "platform/controls/mauszeiger.h"
#include "platform/word/document.h"

namespace vk {

void GebührentabelleSchreiben(word::Table& formTabelle, const Tabellenauftrag& auftrag) {
    Prozedur proc(auftrag.modul, "CommandEnde_Click");
    proc([] { ui::Screen().SetMousePointer(ui::mauszeiger::Sanduhr); });
    SummeLöschen();
    word::Range stelle = EinfügestelleErmitteln(formTabelle);
    proc([&] {
        if (!Kontext().Doc) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
        formTabelle = Kontext().Doc->Tables().Add(stelle, auftrag.zeilen, auftrag.spalten);
    });
    if (!formTabelle.IstNothing()) {
        if (auftrag.formatieren) auftrag.formatieren(formTabelle);
        if (auftrag.zeilenSchreiben) auftrag.zeilenSchreiben(formTabelle);
        BookmarkSetzen(formTabelle, auftrag.schluessel);
    }
    Kontext().GeschriebeneTabelle = formTabelle;
    SummeBilden(Kontext().Zahlungsziel);
    proc([] { ui::Screen().SetMousePointer(ui::mauszeiger::Standard); });
}

}  // namespace vk
