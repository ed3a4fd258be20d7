// Grid: data rows and columns numbered from 1 under a separate header row, a current cell, cell texts,
// column widths, alignments and read-only columns, row heights, selected rows, row insertion and
// removal, cell geometry in twips, in-cell typing with an edit-end notification and key-down handling
// that a handler may suppress.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/controls/control.h"
#include "platform/controls/textfeld.h"

namespace vk::ui {

class ComboBox;

namespace ausrichtung {
inline constexpr int Links = 0;
inline constexpr int Rechts = 1;
inline constexpr int Mitte = 2;
}  // namespace ausrichtung

// Shift state of a key: bits for Shift, Ctrl and Alt.
namespace umschalt {
inline constexpr int Shift = 1;
inline constexpr int Strg = 2;
inline constexpr int Alt = 4;
}  // namespace umschalt

class Grid : public Control {
public:
    static constexpr int StandardZeilenhöhe = 240;
    static constexpr int StandardSpaltenbreite = 960;

    Grid(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::Grid; }

    // Size: data rows and columns, the header row not counted. Shrinking drops rows (and their
    // selection); the current cell stays inside the grid (0 when there are no rows or columns).
    int Rows() const noexcept { return static_cast<int>(zellen_.size()); }
    void SetRows(int anzahl);
    int Cols() const noexcept { return static_cast<int>(spalten_.size()); }
    void SetCols(int anzahl);

    // Current cell; a change raises RowColChange (SetZelle raises it once for both). A pending edit is
    // finished first. Outside the grid: run-time error 9.
    int Row() const noexcept { return row_; }
    void SetRow(int row);
    int Col() const noexcept { return col_; }
    void SetCol(int col);
    void SetZelle(int row, int col);

    // Texts; row 0 is the header row.
    const std::string& TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, std::string text);
    const std::string& Text() const { return TextMatrix(row_, col_); }  // the current cell
    void SetText(std::string text) { SetTextMatrix(row_, col_, std::move(text)); }
    const std::string& HeaderText(int col) const { return TextMatrix(0, col); }
    void SetHeaderText(int col, std::string text) { SetTextMatrix(0, col, std::move(text)); }

    // Layout in twips; row 0 is the header row. Alignment codes in ausrichtung.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void SetColAlignment(int col, int ausrichtung);
    bool ColReadOnly(int col) const;
    void SetColReadOnly(int col, bool nurLesen);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    // The first data row shown under the header (scroll position).
    int TopRow() const noexcept { return topRow_; }
    void SetTopRow(int row);

    // Inserts an empty row at index 1 .. Rows + 1: it takes that index, the rows from there move down.
    // The current row keeps its index (so inserting at the current row makes the new row current).
    void InsertRow(int index);
    // Removes a row; the selection follows the rows that remain.
    void RemoveRow(int index);

    // Selected rows, ascending.
    std::vector<int> SelectedRows() const { return {auswahl_.begin(), auswahl_.end()}; }
    void SelectRow(int row, bool ausgewählt = true);
    void ClearSelection();

    // Where a cell is, in twips in the coordinates of the grid's container (the same as the Left and
    // Top of a combo box laid over the cell): cells start at the grid's left edge, rows below the
    // header row, counted from TopRow.
    int CellLeft(int col) const;
    int CellTop(int row) const;
    int CellWidth(int col) const { return ColWidth(col); }
    int CellHeight(int row) const { return RowHeight(row); }
    Geometrie CellGeometrie(int row, int col) const;

    // Typing into the current cell: the first character starts an edit that replaces the cell's text
    // (Backspace as the first key starts it empty).
    // Refused in a read-only column or an empty grid.
    Tastenergebnis Tippen(char32_t zeichen);
    bool Editiert() const noexcept { return editiert_; }
    const std::string& EditText() const noexcept { return editText_; }
    // Finishes a pending edit: the typed text goes into the cell and EditEnd runs with the argument -1;
    // a handler returns it as 0 to accept. Left non-zero by a connected handler, the cell gets back the
    // text it had before the edit.
    void FinishEditing();

    // A key pressed in the grid: a pending edit is finished for Tab, Enter and the arrow keys; then
    // KeyDown runs; when no handler set the code to 0 the grid acts: Tab / Shift+Tab to the next or
    // previous cell (across rows), arrows move by one cell, Backspace deletes (and starts an edit), Escape
    // cancels an edit.
    void TasteDrücken(int code, int shift = 0);

    Ereignis<std::int16_t&> EditEnd;
    Ereignis<std::int16_t&, int> KeyDown;
    Ereignis<int&> KeyPress;
    Ereignis<> RowColChange;

    // What the form declares for replaying a person's actions: the combo box laid over a column as its
    // in-cell editor (declared once, kept
    // whatever the column count), and the column whose Tab on the last row adds a row (0: none).
    void SetZellEditor(int col, ComboBox* editor);
    ComboBox* ZellEditor(int col) const;
    void SetAnfügeSpalte(int col) { anfügeSpalte_ = col; }
    int AnfügeSpalte() const noexcept { return anfügeSpalte_; }

protected:
    void BeimFokusverlust() override { FinishEditing(); }

private:
    struct Spalte {
        std::string kopf;
        int breite = StandardSpaltenbreite;
        int ausrichtung = ausrichtung::Links;
        bool nurLesen = false;
    };

    void PrüfeZeile(int row, bool kopfErlaubt) const;
    void PrüfeSpalte(int col) const;
    void AktuelleZelleEinpassen();
    void EditVerwerfen();

    std::vector<std::vector<std::string>> zellen_;
    std::vector<int> zeilenhöhen_;
    std::vector<Spalte> spalten_;
    int kopfhöhe_ = 300;
    int row_ = 0;
    int col_ = 0;
    int topRow_ = 1;
    std::set<int> auswahl_;
    bool editiert_ = false;
    std::string editText_;
    int editZeile_ = 0;
    int editSpalte_ = 0;
    std::map<int, ComboBox*> editoren_;  // declared before the grid has its columns
    int anfügeSpalte_ = 0;
};

}  // namespace vk::ui
