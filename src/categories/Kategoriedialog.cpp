#include "categories/Kategoriedialog.h"

#include "common/funktionen.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/KV_WordAuto.h"
#include "platform/controls/mauszeiger.h"
#include "platform/controls/symbole.h"
#include "platform/controls/version.h"

namespace vk {

namespace {
constexpr int kZeilenhöhe = 300;
}

Kategoriedialog::Kategoriedialog(std::string name) : ui::Form(std::move(name)) {
    CommandEnde.SetCaption("&OK");
    CommandAbbruch.SetCaption("&Abbruch");
    CommandAbbruch.Click.Verbinden([this] { CommandAbbruch_Click(); });
}

void Kategoriedialog::KategorieLaden(std::string_view schluessel, const std::function<void()>& einlesen,
                                     ui::CommandButton* neu, ui::CommandButton* löschen) {
    Prozedur proc(Name(), "Form_Load");
    proc([&] { SetIcon(ui::Symbole().Ressource(ui::FensterSymbolRessource)); });
    proc([&] { CommandEnde.SetPicture(ui::Symbole().ListenBild("ImageListButton", "OK")); });
    proc([&] { CommandAbbruch.SetPicture(ui::Symbole().ListenBild("ImageListButton", "Abbruch")); });
    if (löschen) proc([&] { löschen->SetPicture(ui::Symbole().ListenBild("ImageListButton", "Löschen")); });
    if (neu) proc([&] { neu->SetPicture(ui::Symbole().ListenBild("ImageListButton", "Dokument")); });
    proc([&] { lblVersion.SetCaption(ui::VersionsText()); });
    proc([&] { formTabelle_ = TabelleErmitteln(schluessel, kSucheInteraktiv); });
    proc([&] { ui::Screen().SetMousePointer(ui::mauszeiger::Sanduhr); });
    proc([&] { einlesen(); });
    proc([&] { ui::Screen().SetMousePointer(ui::mauszeiger::Standard); });
    proc([&] { InHostEinbetten(static_cast<ui::Fenster>(Kontext().hWndMDI)); });
}

void Kategoriedialog::CommandAbbruch_Click() {
    Prozedur proc(Name(), "CommandAbbruch_Click");
    proc([&] { Unload(); });
}

std::string ZellText(word::Table& tabelle, long zeile, long spalte) {
    std::string text = tabelle.Cell(zeile, spalte).Range().Text();
    return text.size() >= 2 ? text.substr(0, text.size() - 2) : std::string();
}

void GridZeileEinfügen(ui::Grid& grid, const std::function<void()>& neuWerte) {
    const int r = grid.Row();
    grid.InsertRow(r);
    grid.SetRowHeight(r, kZeilenhöhe);
    neuWerte();
}

bool GridZeilenLöschen(ui::Grid& grid) {
    if (grid.Rows() < 2) return false;
    if (MsgBox("Zeile löschen?", 36) != 6) return false;
    while (!grid.SelectedRows().empty()) grid.RemoveRow(grid.SelectedRows().front());
    return true;
}

bool GridAnfügeTaste(ui::Grid& grid, int spalte, std::int16_t& taste, int shift,
                     const std::function<void()>& neueZeile) {
    if ((taste != ui::taste::Tab && taste != ui::taste::Rechts) || shift != 0 || grid.Col() != spalte)
        return false;
    if (grid.Row() == grid.Rows()) {
        // The new row goes below the last one and becomes current: a person who tabs out of the
        // last row continues in a new row under it (inserting at the current index would push the
        // row just typed below the new one).
        const int neu = grid.Rows() + 1;
        grid.InsertRow(neu);
        grid.SetRowHeight(neu, kZeilenhöhe);
        grid.SetRow(neu);
        neueZeile();
    } else {
        grid.SetRow(grid.Row() + 1);
    }
    taste = 0;
    return true;
}

}  // namespace vk
