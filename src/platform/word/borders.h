// Borders of a selected cell block or table.
#pragma once

#include <memory>
#include <vector>

namespace pugi {
struct xml_node_struct;
}

namespace vk::word {

namespace detail {
class Kern;
struct Auswahl;
}  // namespace detail

class Border {
public:
    Border(std::shared_ptr<detail::Kern> kern, std::shared_ptr<detail::Auswahl> block, int seite);

    // 0 none, 1 single line.
    void SetLineStyle(int stil);
    int LineStyle() const;

private:
    std::shared_ptr<detail::Kern> kern_;
    std::shared_ptr<detail::Auswahl> block_;
    int seite_;
};

// Borders of the selected cell block (or whole table): Item(-1..-6) top, left, bottom, right,
// inside horizontal, inside vertical.
class Borders {
public:
    Borders(std::shared_ptr<detail::Kern> kern, std::shared_ptr<detail::Auswahl> block);

    Border Item(int seite) const;  // error 5 for another index

private:
    std::shared_ptr<detail::Kern> kern_;
    std::shared_ptr<detail::Auswahl> block_;
};

}  // namespace vk::word
