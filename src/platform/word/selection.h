// The application's selection and the formatting objects reached through it or through a range:
// Cells, Borders, ParagraphFormat with its TabStops.
//
// The selection is a live range plus, when it was made by Table/Column/Cell.Select or extended down
// a column, a rectangular block of cells of one table. Cell widths, borders and paragraph formats
// apply to that block; MoveEnd, Collapse and TypeText drop the block and act on the range.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/word/range.h"
#include "platform/word/borders.h"
#include "platform/word/paragraph_format.h"
#include "platform/word/table.h"

namespace vk::word {

// The cells of the selection.
class Cells {
public:
    Cells(std::shared_ptr<detail::Kern> kern, std::vector<pugi::xml_node_struct*> zellen);

    long Count() const;
    Cell Item(long index) const;
    void SetWidth(double punkte, int linealstil = 0);

private:
    std::shared_ptr<detail::Kern> kern_;
    std::vector<pugi::xml_node_struct*> zellen_;
};

class Selection {
public:
    Selection() = default;
    explicit Selection(std::shared_ptr<detail::Kern> kern);

    // The tables the selection lies in (the block's table first).
    word::Tables Tables() const;
    // An independent range with the selection's extent.
    word::Range Range() const;
    word::Cells Cells() const;
    word::Borders Borders() const;
    word::ParagraphFormat ParagraphFormat() const;
    void SetFontSize(double punkte);
    void SetBold(int wert);

    long Start() const;
    long End() const;
    std::string Text() const;

    // Unit 1 = character; returns the characters moved. The cell block is dropped.
    long MoveEnd(int einheit = 1, long anzahl = 1);
    // Unit 5 = line. With extend 1 inside a table a selected cell becomes a block of the cells below
    // it in the same column (count more rows); outside a table the end moves down by paragraphs.
    // With extend 0 the selection moves down and collapses. Returns the lines moved.
    long MoveDown(int einheit = 5, long anzahl = 1, int erweitern = 0);
    void Collapse(int richtung = 1);
    // Replaces the selection by the text; afterwards the selection is collapsed after it.
    void TypeText(std::string_view text);

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
};

}  // namespace vk::word
