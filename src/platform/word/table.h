// Tables of the main text: the collection, a table, its rows, columns and cells (all 1-based).
//
// Cells are addressed like the word processor does: Cell(r, c) is the c-th cell of row r, whatever
// grid columns it spans. Widths are set per cell; on save the table grid is rebuilt from every row's
// cell boundaries so that Word and LibreOffice render the widths as set.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/word/range.h"

namespace pugi {
struct xml_node_struct;
}

namespace vk::word {

class Table;
class Cell;
class Row;
class Column;


class Cell {
public:
    Cell() = default;
    Cell(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* tc);

    // The cell's text with its end-of-cell mark "\r\a".
    word::Range Range() const;
    void Select() const;
    // Width in points; ruler style 0 (only this cell changes).
    void SetWidth(double punkte, int linealstil = 0);
    double Width() const;
    long RowIndex() const;
    long ColumnIndex() const;

    pugi::xml_node_struct* KnotenIntern() const noexcept { return tc_; }

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* tc_ = nullptr;
};

class Row {
public:
    Row() = default;
    Row(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* tr);

    // Height in points with the rule 0 auto, 1 at least, 2 exactly.
    void SetHeight(double punkte, int regel);
    double Height() const;
    int HeightRule() const;
    long Index() const;
    // Number of cells in the row.
    long CellCount() const;
    word::Cell Cell(long spalte) const;
    word::Range Range() const;
    void Select() const;

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* tr_ = nullptr;
};

class Rows {
public:
    Rows() = default;
    Rows(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* tbl);

    long Count() const;
    Row Item(long index) const;  // error 9 when out of range
    // Every row in order, found in one pass (Item(i) for each i walks the rows before it each time).
    std::vector<Row> Each() const;
    // Appends a row shaped like the last one (same cells and widths, empty text).
    Row Add();

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* tbl_ = nullptr;
};

class Column {
public:
    Column() = default;
    Column(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* tbl, long index);

    // Selects the column (the cell block of this column in every row that has such a cell).
    void Select() const;
    // Sets the width of this column's cell in every row; ruler style 0.
    void SetWidth(double punkte, int linealstil = 0);
    double Width() const;
    long Index() const noexcept { return index_; }

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* tbl_ = nullptr;
    long index_ = 0;
};

class Columns {
public:
    Columns() = default;
    Columns(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* tbl);

    // The largest number of cells in a row.
    long Count() const;
    Column Item(long index) const;  // error 9 when out of range

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* tbl_ = nullptr;
};

class Table {
public:
    Table() = default;  // Nothing
    Table(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* tbl);

    bool IstNothing() const noexcept { return tbl_ == nullptr; }

    word::Range Range() const;
    // Cell (row, column); error 5 when the table has no such cell.
    word::Cell Cell(long zeile, long spalte) const;
    word::Columns Columns() const;
    word::Rows Rows() const;
    // The tables nested in its cells (one level down), in document order.
    word::Tables Tables() const;
    void Select() const;
    // Removes the table; ranges that spanned it collapse to its place.
    void Delete();

    // Whether both references denote the same table.
    bool IsSame(const Table& andere) const noexcept { return tbl_ != nullptr && tbl_ == andere.tbl_; }
    friend bool operator==(const Table& a, const Table& b) noexcept { return a.tbl_ == b.tbl_; }

    pugi::xml_node_struct* KnotenIntern() const noexcept { return tbl_; }

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* tbl_ = nullptr;
};

// Tables of the document (top level, document order), or those a range or the selection lies in.
class Tables {
public:
    Tables() = default;
    Tables(std::shared_ptr<detail::Kern> kern, std::vector<pugi::xml_node_struct*> tabellen, bool dokument);

    long Count() const;
    Table Item(long index) const;  // error 9 when out of range
    // Adds an empty table of rows x columns at the collapsed range (a non-collapsed range is replaced).
    // At the start of a paragraph (or in an empty one) the table goes before that paragraph; at the
    // end of a paragraph's text after it; inside a paragraph the paragraph is split there. Tables
    // are never left touching each other: a separating empty paragraph is added where needed.
    Table Add(const word::Range& stelle, long zeilen, long spalten);

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Table;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Table;
        iterator(const Tables* t, long i) : t_(t), i_(i) {}
        Table operator*() const { return t_->Item(i_); }
        iterator& operator++() { ++i_; return *this; }
        bool operator==(const iterator& o) const { return i_ == o.i_; }
        bool operator!=(const iterator& o) const { return i_ != o.i_; }
    private:
        const Tables* t_;
        long i_;
    };
    iterator begin() const { return iterator(this, 1); }
    iterator end() const { return iterator(this, Count() + 1); }

private:
    const std::vector<pugi::xml_node_struct*>& liste() const;
    detail::Kern& kern() const;

    std::shared_ptr<detail::Kern> kern_;
    std::vector<pugi::xml_node_struct*> tabellen_;  // fixed list (range / selection)
    bool dokument_ = false;        // true: the live list of the document's tables
};

}  // namespace vk::word
