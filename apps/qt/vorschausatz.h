// Laying the preview's blocks out and onto pages. A block is set on its own (its cells side by side,
// each cell's paragraphs one below the other, lines broken at the cell's width, tabs at the
// paragraph's stops and the document's default stops), so that each block can be set on any thread
// and kept as long as its content stays. The pages then follow from the blocks' heights: a block
// that does not fit goes to the next page, and the body keeps clear of a text box as it does in print
// (below it, or on the next page when the box reaches the page's end).
//
// Units: twips, as the data (vorschaudokument.h).
#pragma once

#include <QRectF>
#include <QTextLayout>
#include <memory>
#include <vector>

#include "vorschaudokument.h"

namespace vkhost {

struct GesetzterAbsatz {
    std::shared_ptr<QTextLayout> layout;
    QPointF ort;  // its top left in the cell
    Qt::Alignment ausrichtung = Qt::AlignLeft;
};

struct GesetzteZelle {
    QRectF rahmen;  // in the block, from the block's top left
    std::vector<GesetzterAbsatz> absätze;
};

struct GesetzterBlock {
    double höhe = 0;
    std::vector<GesetzteZelle> zellen;
};

// Sets a block (any thread).
std::shared_ptr<const GesetzterBlock> BlockSetzen(const Blockdaten& block, double tabstopp);
// The paragraphs of a text box at its width (inside its inner margin).
GesetzteZelle KastenSetzen(const Kastendaten& kasten, double tabstopp);
// The height a block will take before it is set: a line per paragraph of its fullest cell.
double HöheSchätzen(const Blockdaten& block);

// Where each block stands: its page (from 0) and its top on that page.
struct Platz {
    int seite = 0;
    double oben = 0;
};
// The blocks with these heights on pages of `daten`, clear of its text boxes (on the first page).
// Returns the places; `seiten` gets the number of pages (at least 1).
std::vector<Platz> Umbrechen(const Vorschaudaten& daten, const std::vector<double>& höhen, int& seiten);

}  // namespace vkhost
