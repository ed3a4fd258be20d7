// The invoice as a paged QTextDocument, as it prints: the document's page size and margins, its
// paragraphs with their alignment, tab stops (decimal tabs too), bold and font sizes, its tables with
// the width of every cell (rows of one table may divide the width differently, as merged cells do),
// and its text boxes placed where the document puts them, relative to the page or its margins, on
// the first page (where the text they are anchored to begins); the body text keeps clear of a box as
// it does in print.
//
// Units: twips (20 to a point), as in the document: the text layout places cells and lines at
// whole units, and the document's widths are whole twips. Fonts are sized in these units too, so the
// layout does not depend on the screen; the view scales the pages to its width.
#pragma once

#include <QRectF>
#include <QTextDocument>
#include <memory>
#include <vector>

#include "platform/word/document.h"

class QTextTable;

namespace vkhost {

inline constexpr double kEinheitenProPunkt = 20;

struct Vorschaudokument {
    // One row of an invoice table: the preview's one-row table with the row's cells, and the row's
    // number in the invoice table (1-based).
    struct Tabellenteil {
        QTextTable* tabelle = nullptr;
        int ersteZeile = 1;
    };
    // A text box: its place on its page and its text laid out to its width.
    struct Kasten {
        int seite = 0;
        QRectF rahmen;
        bool linie = false;
        std::shared_ptr<QTextDocument> text;
    };

    std::unique_ptr<QTextDocument> text;
    std::vector<std::vector<Tabellenteil>> tabellen;  // by the invoice's table index - 1, row by row
    std::vector<Kasten> kästen;
    double seitenbreite = 0, seitenhöhe = 0;  // in the preview's units
    int seiten = 1;
};

Vorschaudokument VorschauAufbauen(const vk::word::Document& dokument);

}  // namespace vkhost
