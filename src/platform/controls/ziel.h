// The names a replay addresses, as the command line's `--set NAME=VALUE` gives them:
// "NAME", "NAME(i)" (control array), "NAME(row,col)" (grid cell).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vk::ui {

struct Ziel {
    std::string name;
    std::vector<int> indizes;  // none, one (index) or two (row, column)

    std::string Text() const;  // back to "NAME(1,2)"
};

// Parses a target; anything else ("A(", "A(x)", "A(1,2,3)", "(1)") is run-time error 5 quoting the text.
Ziel ZielLesen(std::string_view text);

// Splits "NAME=VALUE" at the first "=" (blanks around the name are dropped; the value stays as given).
std::pair<Ziel, std::string> AnweisungLesen(std::string_view anweisung);

}  // namespace vk::ui
