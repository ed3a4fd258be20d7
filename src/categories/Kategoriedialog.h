// What every fee category dialog shares: the standard buttons and version label, the load frame
// (icons, version, hourglass, embedding in the host window), "&Abbruch", and for grid dialogs adding
// a row, deleting the selected rows and the Tab/Right key of the add-row column.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/controls/einfache.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"
#include "platform/word/table.h"

namespace vk {

class Kategoriedialog : public ui::Form {
public:
    explicit Kategoriedialog(std::string name);

    ui::CommandButton CommandEnde{*this, "CommandEnde"};
    ui::CommandButton CommandAbbruch{*this, "CommandAbbruch"};
    ui::Label lblVersion{*this, "lblVersion"};

    // The fee table this dialog read its inputs from and replaces on "&OK" (Nothing for a new one).
    word::Table& FormTabelle() noexcept { return formTabelle_; }

protected:
    // The load frame: window icon, button icons (also of the grid buttons when given), version label,
    // the form's table looked up by key, hourglass, `einlesen` (defaults or read-back), pointer back,
    // and the window made an MDI child of the host.
    void KategorieLaden(std::string_view schluessel, const std::function<void()>& einlesen,
                        ui::CommandButton* neu = nullptr, ui::CommandButton* löschen = nullptr);
    void CommandAbbruch_Click();

    word::Table formTabelle_;
};

// The text of a table cell without its end mark (empty when the cell cannot be read).
std::string ZellText(word::Table& tabelle, long zeile, long spalte);

// Adds a row of height 300 at the current row, which it becomes, and fills it with `neuWerte`.
void GridZeileEinfügen(ui::Grid& grid, const std::function<void()>& neuWerte);

// With at least 2 rows, asks "Zeile löschen?" and on Yes removes every selected row.
// Returns whether rows were asked about and removed.
bool GridZeilenLöschen(ui::Grid& grid);

// Tab or Right without Shift, Ctrl or Alt in column `spalte`: on the last row a new row is added
// (height 300, `neueZeile` fills and prices it), on another row the next row becomes current; the
// key is then discarded. Any other key is left to the grid. Returns whether the key was handled.
bool GridAnfügeTaste(ui::Grid& grid, int spalte, std::int16_t& taste, int shift,
                     const std::function<void()>& neueZeile);

}  // namespace vk
