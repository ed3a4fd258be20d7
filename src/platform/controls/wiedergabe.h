// Replaying a person's actions on a form's controls, by name or on the control itself. The command
// line's --set and the GUI host both go through here, so what a script does is what a person does.
// Every impossible action (unknown name, disabled or hidden control, value not in a list, character
// refused by a field, row that cannot be added) is a vk::LaufzeitFehler (5) naming form and control.
#pragma once

#include <string_view>
#include <vector>

#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/einfache.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"
#include "platform/controls/optionbutton.h"
#include "platform/controls/textfeld.h"
#include "platform/controls/ziel.h"

namespace vk::ui {

// By name, on a loaded and shown form: "NAME", "NAME(i)" or "NAME(r,c)" with the value as --set gives it.
//   text / masked field: focus in, the whole text selected, VALUE typed key by key, focus out
//   check box: 0 or 1; option button NAME(i): 1; combo box: the entry VALUE chosen (an editable one
//   also takes another text), focus out; button: clicked (VALUE empty or 1); grid cell NAME(r,c):
//   see ZelleSetzen.
void Setzen(Form& form, std::string_view ziel, std::string_view wert);
void Setzen(Form& form, std::string_view anweisung);  // "NAME=VALUE"
void Klicken(Form& form, std::string_view ziel);
// A key pressed in a grid (key down), or a character typed into a text field (key press).
void TasteDrücken(Form& form, std::string_view ziel, int code, int shift = 0);
// The control a target names (a grid for "NAME(r,c)"); unknown names give the error.
Control& SteuerelementFinden(Form& form, const Ziel& ziel);

// The same actions on a control.
void TextEingeben(TextFeld& feld, std::string_view wert);
void Ankreuzen(CheckBox& box, int wert);
void Wählen(OptionButton& knopf);
void Auswählen(ComboBox& combo, std::string_view eintrag);  // then the focus leaves it
void Klicken(CommandButton& knopf);
void TasteDrücken(Grid& grid, int code, int shift = 0);
// The most rows a grid is given by a replayed action: more than a person adds in a dialog (every row
// added recomputes the dialog's fee over all rows, so ten thousand would take minutes).
inline constexpr int kMaxGridZeilen = 999;

// A grid cell: rows beyond the last are added as a person adds them (the last row's add-row column
// made current, Tab pressed: each press must add exactly one row); then the cell is made current;
// in a column with an in-cell editor the entry is chosen there and the editor left back to the grid
// (its LostFocus handler writes the cell); otherwise VALUE is typed and the edit finished (EditEnd).
// A row beyond kMaxGridZeilen is refused (5) before anything is added.
void ZelleSetzen(Grid& grid, int row, int col, std::string_view wert);

// The smaller steps of a person at a window, for a GUI host that forwards them one by one.
// The focus enters a control (GotFocus) / leaves it when it has it (LostFocus).
void Betreten(Control& control);
void Verlassen(Control& control);
// A grid cell made current by a click or a navigation key of the toolkit.
void ZelleWählen(Grid& grid, int row, int col);
// The rows a person selected (any other selection is cleared).
void ZeilenAuswählen(Grid& grid, const std::vector<int>& zeilen);
// Text pasted into a field: it replaces the field's selection as one text (no key press per
// character, as with --set); the mask or the maximum length refuse it as a whole.
void Einfügen(TextFeld& feld, std::string_view text);
// One character typed into the grid's current cell (starts or continues its edit).
void Tippen(Grid& grid, char32_t zeichen);

}  // namespace vk::ui
