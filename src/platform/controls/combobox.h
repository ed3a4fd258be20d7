// Combo box: a list of entries, the chosen one (ListIndex) and the text. Choosing an entry raises
// Click; changing the text of an editable combo box raises Change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.h"

namespace vk::ui {

class Grid;

class ComboBox : public Control {
public:
    enum class Stil { Bearbeitbar, NurListe };  // drop-down combo (text typed freely) / drop-down list

    ComboBox(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::ComboBox; }

    Stil Style() const noexcept { return stil_; }
    void SetStyle(Stil stil) { stil_ = stil; }

    void Clear();
    void AddItem(std::string eintrag, int position = -1);  // -1 appends
    int ListCount() const noexcept { return static_cast<int>(liste_.size()); }
    const std::string& List(int index) const;  // run-time error 381 outside the list
    int FindItem(std::string_view text) const;  // -1 when not in the list

    // -1 chooses nothing (text empty); another index outside the list is run-time error 380.
    int ListIndex() const noexcept { return listIndex_; }
    void SetListIndex(int index);

    // A drop-down list takes only texts of its list (else run-time error 383) and then chooses that
    // entry; an editable combo box takes any text and raises Change.
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text);

    // Lays the combo box over a grid cell as its in-cell editor: left, top and width of the cell
    // (its own height kept) and shows it.
    void ÜberZelleLegen(const Grid& grid, int row, int col);

    Ereignis<> Click;
    Ereignis<> Change;

private:
    Stil stil_ = Stil::NurListe;
    std::vector<std::string> liste_;
    int listIndex_ = -1;
    std::string text_;
};

}  // namespace vk::ui
