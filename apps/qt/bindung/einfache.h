// Bindings of the simple controls to their widgets: check box, option button, button (caption with
// its "&" mnemonic and picture), label, frame, combo box, and a combo box laid over a grid cell as its
// in-cell editor. The widget is made by the caller (from the dialog's .ui file, or the automatic
// layout); the binding sets what the binding relies on (no auto-exclusive options, no default button).
#pragma once

#include <memory>

#include "bindung/bindung.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/einfache.h"
#include "platform/controls/grid.h"
#include "platform/controls/optionbutton.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vkhost {

std::unique_ptr<SteuerelementBindung> KontrollkästchenBinden(vk::ui::CheckBox& box, QCheckBox* widget);
std::unique_ptr<SteuerelementBindung> OptionBinden(vk::ui::OptionButton& knopf, QRadioButton* widget);
std::unique_ptr<SteuerelementBindung> KnopfBinden(vk::ui::CommandButton& knopf, QPushButton* widget);
std::unique_ptr<SteuerelementBindung> BeschriftungBinden(vk::ui::Label& label, QLabel* widget);
std::unique_ptr<SteuerelementBindung> RahmenBinden(vk::ui::Frame& rahmen, QGroupBox* widget);
std::unique_ptr<SteuerelementBindung> KombinationsfeldBinden(vk::ui::ComboBox& combo, QComboBox* widget);
// The in-cell editor of column `spalte`: moved onto the grid and shown over its current cell while
// the control is visible; choosing an entry sets the cell the way a script does (NAME(r,c)=VALUE).
std::unique_ptr<SteuerelementBindung> ZellEditorBinden(vk::ui::ComboBox& combo, vk::ui::Grid& grid, int spalte,
                                                       QTableWidget& tabelle, QComboBox* widget);

}  // namespace vkhost
