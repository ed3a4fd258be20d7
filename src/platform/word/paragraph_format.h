// Paragraph formatting of a range or of the selection: alignment and tab stops.
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

// Tab stops of the paragraphs of a range or of the selection.
class TabStops {
public:
    TabStops(std::shared_ptr<detail::Kern> kern, std::vector<pugi::xml_node_struct*> absaetze);

    // Position in points, alignment (3 = decimal), leader (0 = none). Adds the stop to every paragraph.
    void Add(double position, int ausrichtung = 0, int fuellzeichen = 0);
    void ClearAll();
    // Number of stops of the first paragraph.
    long Count() const;

private:
    std::shared_ptr<detail::Kern> kern_;
    std::vector<pugi::xml_node_struct*> absaetze_;
};

class ParagraphFormat {
public:
    ParagraphFormat(std::shared_ptr<detail::Kern> kern, std::vector<pugi::xml_node_struct*> absaetze);

    // 0 left, 1 centre, 2 right, 3 justify.
    void SetAlignment(int ausrichtung);
    // The alignment of the paragraphs, 9999999 when they differ.
    int Alignment() const;
    word::TabStops TabStops() const;

private:
    std::shared_ptr<detail::Kern> kern_;
    std::vector<pugi::xml_node_struct*> absaetze_;
};

}  // namespace vk::word
