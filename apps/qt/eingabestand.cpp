#include "eingabestand.h"

#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/grid.h"
#include "platform/controls/optionbutton.h"
#include "platform/controls/textfeld.h"

namespace vkhost {

namespace {

std::string Ohne(const std::string& text) {
    const auto a = text.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

}  // namespace

std::string Eingabestand(const vk::ui::Form& form) {
    using vk::ui::Art;
    std::string stand;
    for (const vk::ui::Control* c : form.Controls()) {
        std::string wert;
        switch (c->Kind()) {
            case Art::MaskEdBox:
            case Art::TextBox: wert = Ohne(static_cast<const vk::ui::TextFeld*>(c)->Text()); break;
            case Art::CheckBox: wert = std::to_string(static_cast<const vk::ui::CheckBox*>(c)->Value()); break;
            case Art::OptionButton: wert = static_cast<const vk::ui::OptionButton*>(c)->Value() ? std::string("1") : std::string("0"); break;
            case Art::ComboBox: wert = Ohne(static_cast<const vk::ui::ComboBox*>(c)->Text()); break;
            case Art::Grid: {
                const auto* g = static_cast<const vk::ui::Grid*>(c);
                for (int r = 1; r <= g->Rows(); ++r)
                    for (int s = 1; s <= g->Cols(); ++s) {
                        wert += Ohne(g->TextMatrix(r, s));
                        wert += '\x1f';
                    }
                break;
            }
            default: continue;
        }
        stand += c->VollerName() + "=" + wert + "\x1e";
    }
    return stand;
}

}  // namespace vkhost
