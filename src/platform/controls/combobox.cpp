#include "platform/controls/combobox.h"

#include <utility>

#include "common/fehler.h"
#include "platform/controls/grid.h"

namespace vk::ui {

ComboBox::ComboBox(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void ComboBox::Clear() {
    liste_.clear();
    listIndex_ = -1;
    if (stil_ == Stil::NurListe) text_.clear();
    Geändert();
}

void ComboBox::AddItem(std::string eintrag, int position) {
    if (position < -1 || position > ListCount())
        throw LaufzeitFehler(5, VollerName() + ": unzulässige Position " + std::to_string(position));
    if (position == -1) position = ListCount();
    liste_.insert(liste_.begin() + position, std::move(eintrag));
    if (listIndex_ >= position) ++listIndex_;
    Geändert();
}

const std::string& ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount())
        throw LaufzeitFehler(381, VollerName() + ": Listenindex " + std::to_string(index) + " außerhalb des gültigen Bereichs");
    return liste_[static_cast<std::size_t>(index)];
}

int ComboBox::FindItem(std::string_view text) const {
    for (int i = 0; i < ListCount(); ++i)
        if (liste_[static_cast<std::size_t>(i)] == text) return i;
    return -1;
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw LaufzeitFehler(380, VollerName() + ": Listenindex " + std::to_string(index) + " außerhalb des gültigen Bereichs");
    if (index == listIndex_) return;
    listIndex_ = index;
    text_ = index < 0 ? std::string() : liste_[static_cast<std::size_t>(index)];
    Geändert();
    if (index >= 0) Click.Auslösen();
}

void ComboBox::SetText(const std::string& text) {
    const int index = FindItem(text);
    if (stil_ == Stil::NurListe) {
        if (index < 0 && !text.empty())
            throw LaufzeitFehler(383, VollerName() + ": '" + text + "' steht nicht in der Liste");
        SetListIndex(index);
        return;
    }
    if (text == text_) return;
    text_ = text;
    listIndex_ = index;
    Geändert();
    Change.Auslösen();
}

void ComboBox::ÜberZelleLegen(const Grid& grid, int row, int col) {
    Move(grid.CellLeft(col), grid.CellTop(row), grid.CellWidth(col), Height());
    SetVisible(true);
}

}  // namespace vk::ui
