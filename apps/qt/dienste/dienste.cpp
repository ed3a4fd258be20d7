#include "dienste/dienste.h"

#include "common/einstellungen.h"
#include "common/nachricht.h"
#include "dienste/tabellenwahl.h"
#include "document/G_frmTabelle.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/mauszeiger.h"

namespace vkhost {

QtDienste::QtDienste() {
    vk::NachrichtenDienstSetzen(nachrichten);
    vk::ui::BildschirmSetzen(bildschirm);
    vk::ui::FensterverwaltungSetzen(fenster);
    vk::EinstellungsSpeicherSetzen(einstellungen);
    vk::G_frmTabelle::ModalHandlerSetzen(TabellenwahlZeigen);
}

QtDienste::~QtDienste() {
    vk::G_frmTabelle::ModalHandlerSetzen({});
    vk::EinstellungsSpeicherSetzen(nullptr);
    vk::ui::FensterverwaltungSetzen(nullptr);
    vk::ui::BildschirmSetzen(nullptr);
    vk::NachrichtenDienstSetzen(nullptr);
}

}  // namespace vkhost
