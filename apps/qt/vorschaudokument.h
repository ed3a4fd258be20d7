// The invoice read for the preview, as plain data: its page, and its body as a sequence of blocks,
// each a paragraph of the main text or one row of a table with the width of every cell (rows of one
// table may divide the width differently, as merged cells do), each paragraph with its alignment, tab
// stops (decimal tabs too), bold, fonts and sizes; and its text boxes placed where the document puts
// them, relative to the page or its margins, on the first page.
//
// Reading takes the document on the user-interface thread; the data can then be laid out anywhere
// (vorschausatz.h). Each block carries a key made of its content: a block whose key the preview laid
// out before is not laid out again (after a confirmation only the tables it wrote are new).
//
// Units: twips (20 to a point), as in the document.
#pragma once

#include <QRectF>
#include <cstddef>
#include <vector>

#include "platform/word/document.h"
#include "platform/word/rendering.h"

namespace vkhost {

inline constexpr double kEinheitenProPunkt = 20;

struct Zellendaten {
    double breite = 0;                    // of the cell, its margins included
    double randLinks = 0, randRechts = 0;  // none for an empty cell: a narrow spacer keeps its width
    // Each paragraph as it takes effect; an empty one holds one run without text that gives its
    // line's height (the font of the text before it).
    std::vector<vk::word::FormattedParagraph> absätze;
};

struct Blockdaten {
    long tabelle = 0;  // 0: a paragraph of the main text; else the table (from 1) whose row this is
    int zeile = 0;     // the row (from 1)
    bool rahmen = false;             // the table draws its borders
    std::vector<Zellendaten> zellen;  // a paragraph of the main text: one cell as wide as the text
    std::size_t schlüssel = 0;       // made of everything the layout uses
};

struct Kastendaten {
    QRectF rahmen;  // on its page
    bool linie = false;
    std::vector<vk::word::FormattedParagraph> absätze;
};

struct Vorschaudaten {
    double seitenbreite = 0, seitenhöhe = 0;
    double links = 0, rechts = 0, oben = 0, unten = 0;  // the page's margins
    double tabstopp = 36 * kEinheitenProPunkt;          // the distance of the default tab stops
    std::vector<Blockdaten> blöcke;
    std::vector<Kastendaten> kästen;

    double Textbreite() const { return seitenbreite - links - rechts; }
};

Vorschaudaten VorschauLesen(const vk::word::Document& dokument);

}  // namespace vkhost
