// Read-only facts a display of the document needs: the page, the formatting of paragraphs as it
// takes effect (the run's own properties over its styles, the table's style and the document's
// defaults), and how a table is framed. Reading changes nothing in the document: no run is split,
// no property added.
//
//     auto seite = vk::word::PageSetup(*doc);
//     for (const auto& absatz : vk::word::FormattedParagraphs(tabelle.Cell(1, 1).Range()))
//         for (const auto& lauf : absatz.runs) zeichnen(lauf.text, lauf.bold, lauf.size);
#pragma once

#include <string>
#include <vector>

#include "platform/word/range.h"
#include "platform/word/table.h"

namespace vk::word {

class Document;

// Page size and margins of the document's section, in points.
class PageSetup {
public:
    explicit PageSetup(const Document& dokument);

    double PageWidth() const noexcept { return breite_; }
    double PageHeight() const noexcept { return hoehe_; }
    double LeftMargin() const noexcept { return links_; }
    double RightMargin() const noexcept { return rechts_; }
    double TopMargin() const noexcept { return oben_; }
    double BottomMargin() const noexcept { return unten_; }

private:
    double breite_, hoehe_, links_, rechts_, oben_, unten_;
};

// A tab stop: position in points from the paragraph's start, alignment (wdAlignTab..., 3 decimal),
// leader (wdTabLeader...).
struct TabStopFormat {
    double position = 0;
    int alignment = 0;
    int leader = 0;
};

// Characters of one formatting: tab "\t" and line break "\v" as in the text of a range.
struct TextRun {
    std::string text;
    bool bold = false;
    double size = 10;  // points
    std::string font;  // "" when nothing names one
};

struct FormattedParagraph {
    int alignment = 0;  // wdAlignParagraph...
    std::vector<TabStopFormat> tabStops;
    std::vector<TextRun> runs;  // neighbouring runs differ in formatting
};

// The paragraphs the range touches, in order (a cell's paragraphs, a text box's, the main text's
// between two tables). Paragraphs of a table nested in a cell are not among its cell's.
std::vector<FormattedParagraph> FormattedParagraphs(const Range& bereich);

// How a table is framed: whether any of its outer or inner borders draws a line, and the left and
// right cell margins in points (cell widths include them).
struct TableFormat {
    bool borders = false;
    double leftCellMargin = 5.4;
    double rightCellMargin = 5.4;
};
TableFormat TableFormatOf(const Table& tabelle);

}  // namespace vk::word
