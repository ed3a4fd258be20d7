#include "document/G_frmTabelle.h"

#include <utility>

#include "common/funktionen.h"
#include "common/prozedur.h"
#include "platform/controls/symbole.h"

namespace vk {
namespace {
G_frmTabelle::ModalHandler& Handler() {
    static G_frmTabelle::ModalHandler handler;
    return handler;
}
}  // namespace

G_frmTabelle::G_frmTabelle()
    : ui::Form("G_frmTabelle") {
    SetCaption("Tabellenwahl");
    Frame1.SetCaption("zu bearbeitende Tabelle auswählen");
    optNeu.SetCaption("neuer Abrechnungspunkt");
    for (int i = 0; i < 5; ++i) optTabelle(i).SetCaption(std::to_string(i + 1) + ". vorhandener Eintrag");
    optAktTabelle.SetCaption("aktuelle Cursorposition als Abrechnungspunkt interpretieren");
    cmdEnde.SetCaption("OK");
    // The three groups form one choice: selecting in one clears the others.
    auto nurDiese = [this](ui::OptionButton* gewaehlt) {
        for (ui::OptionButton* b : {&optNeu, &optAktTabelle, &optTabelle(0), &optTabelle(1), &optTabelle(2),
                                    &optTabelle(3), &optTabelle(4)})
            if (b != gewaehlt && b->Value()) b->SetValue(false);
    };
    optNeuGruppe.Click.Verbinden([this, nurDiese](int) { nurDiese(&optNeu); });
    optAktTabelleGruppe.Click.Verbinden([this, nurDiese](int) { nurDiese(&optAktTabelle); });
    optTabelle.Click.Verbinden([this, nurDiese](int i) { nurDiese(&optTabelle(i)); });
    cmdEnde.Click.Verbinden([this] {
        Prozedur proc("G_frmTabelle", "cmdEnde_Click");
        proc([&] { Hide(); });
    });
}

void G_frmTabelle::Form_Load() {
    Prozedur proc("G_frmTabelle", "Form_Load");
    proc([&] { cmdEnde.SetPicture(ui::Symbole().ListenBild("ImageListButton", "OK")); });
    proc([&] { GetWindowReg(*this); });
    proc([&] { optNeu.SetValue(true); });
}

void G_frmTabelle::Form_Unload() {
    Prozedur proc("G_frmTabelle", "Form_Unload");
    proc([&] { SetWindowReg(*this); });
}

void G_frmTabelle::ShowModal() {
    Show();
    if (auto& h = Handler()) h(*this);
    else cmdEnde.Click.Auslösen();
    if (Visible()) cmdEnde.Click.Auslösen();  // a handler that did not close it: OK as it stands
}

G_frmTabelle::ModalHandler G_frmTabelle::ModalHandlerSetzen(ModalHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace vk
