// Bindings of the simple controls: check box, option button, button (caption with its "&" mnemonic
// and picture), label, frame, combo box, and a combo box laid over a grid cell as its in-cell editor.
#pragma once

#include <memory>

#include "bindung/bindung.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/einfache.h"
#include "platform/controls/grid.h"
#include "platform/controls/optionbutton.h"

class QTableWidget;

namespace vkhost {

std::unique_ptr<SteuerelementBindung> KontrollkästchenBinden(vk::ui::CheckBox& box, QWidget* eltern);
std::unique_ptr<SteuerelementBindung> OptionBinden(vk::ui::OptionButton& knopf, QWidget* eltern);
std::unique_ptr<SteuerelementBindung> KnopfBinden(vk::ui::CommandButton& knopf, QWidget* eltern);
std::unique_ptr<SteuerelementBindung> BeschriftungBinden(vk::ui::Label& label, QWidget* eltern);
std::unique_ptr<SteuerelementBindung> RahmenBinden(vk::ui::Frame& rahmen, QWidget* eltern);
std::unique_ptr<SteuerelementBindung> KombinationsfeldBinden(vk::ui::ComboBox& combo, QWidget* eltern);
// The in-cell editor of column `spalte`: shown over the grid's current cell while the control is
// visible; choosing an entry sets the cell the way a script does (NAME(r,c)=VALUE).
std::unique_ptr<SteuerelementBindung> ZellEditorBinden(vk::ui::ComboBox& combo, vk::ui::Grid& grid, int spalte,
                                                       QTableWidget& tabelle);

}  // namespace vkhost
