#include "platform/controls/grid.h"

#include <algorithm>
#include <utility>

#include "common/fehler.h"
#include "platform/controls/utf8.h"

namespace vk::ui {

Grid::Grid(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void Grid::PrüfeZeile(int row, bool kopfErlaubt) const {
    if ((kopfErlaubt && row == 0) || (row >= 1 && row <= Rows())) return;
    throw LaufzeitFehler(fehlernummer::IndexAusserhalb,
                         VollerName() + ": die Zeile " + std::to_string(row) + " gibt es nicht (Zeilen: " +
                             std::to_string(Rows()) + ")");
}

void Grid::PrüfeSpalte(int col) const {
    if (col >= 1 && col <= Cols()) return;
    throw LaufzeitFehler(fehlernummer::IndexAusserhalb,
                         VollerName() + ": die Spalte " + std::to_string(col) + " gibt es nicht (Spalten: " +
                             std::to_string(Cols()) + ")");
}

void Grid::SetRows(int anzahl) {
    if (anzahl < 0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, VollerName() + ": negative row count");
    FinishEditing();
    zellen_.resize(static_cast<std::size_t>(anzahl), std::vector<std::string>(spalten_.size()));
    zeilenhöhen_.resize(static_cast<std::size_t>(anzahl), StandardZeilenhöhe);
    auswahl_.erase(auswahl_.upper_bound(anzahl), auswahl_.end());
    topRow_ = std::clamp(topRow_, 1, std::max(anzahl, 1));
    Geändert();
    AktuelleZelleEinpassen();
}

void Grid::SetCols(int anzahl) {
    if (anzahl < 0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, VollerName() + ": negative column count");
    FinishEditing();
    spalten_.resize(static_cast<std::size_t>(anzahl));
    for (auto& zeile : zellen_) zeile.resize(static_cast<std::size_t>(anzahl));
    Geändert();
    AktuelleZelleEinpassen();
}

// Keeps the current cell inside the grid after its size changed.
void Grid::AktuelleZelleEinpassen() {
    const int row = Rows() == 0 ? 0 : std::clamp(row_, 1, Rows());
    const int col = Cols() == 0 ? 0 : std::clamp(col_, 1, Cols());
    if (row == row_ && col == col_) return;
    row_ = row;
    col_ = col;
    Geändert();
    RowColChange.Auslösen();
}

void Grid::SetRow(int row) { SetZelle(row, col_); }
void Grid::SetCol(int col) { SetZelle(row_, col); }

void Grid::SetZelle(int row, int col) {
    PrüfeZeile(row, false);
    PrüfeSpalte(col);
    if (row == row_ && col == col_) return;
    FinishEditing();
    row_ = row;
    col_ = col;
    Geändert();
    RowColChange.Auslösen();
}

const std::string& Grid::TextMatrix(int row, int col) const {
    PrüfeZeile(row, true);
    PrüfeSpalte(col);
    if (row == 0) return spalten_[static_cast<std::size_t>(col - 1)].kopf;
    return zellen_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
}

void Grid::SetTextMatrix(int row, int col, std::string text) {
    PrüfeZeile(row, true);
    PrüfeSpalte(col);
    std::string& ziel = row == 0 ? spalten_[static_cast<std::size_t>(col - 1)].kopf
                                 : zellen_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
    if (ziel == text) return;
    ziel = std::move(text);
    Geändert();
}

int Grid::ColWidth(int col) const {
    PrüfeSpalte(col);
    return spalten_[static_cast<std::size_t>(col - 1)].breite;
}

void Grid::SetColWidth(int col, int twips) {
    PrüfeSpalte(col);
    if (twips < 0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, VollerName() + ": negative column width");
    spalten_[static_cast<std::size_t>(col - 1)].breite = twips;
    Geändert();
}

int Grid::ColAlignment(int col) const {
    PrüfeSpalte(col);
    return spalten_[static_cast<std::size_t>(col - 1)].ausrichtung;
}

void Grid::SetColAlignment(int col, int ausrichtung) {
    PrüfeSpalte(col);
    spalten_[static_cast<std::size_t>(col - 1)].ausrichtung = ausrichtung;
    Geändert();
}

bool Grid::ColReadOnly(int col) const {
    PrüfeSpalte(col);
    return spalten_[static_cast<std::size_t>(col - 1)].nurLesen;
}

void Grid::SetColReadOnly(int col, bool nurLesen) {
    PrüfeSpalte(col);
    spalten_[static_cast<std::size_t>(col - 1)].nurLesen = nurLesen;
    Geändert();
}

int Grid::RowHeight(int row) const {
    PrüfeZeile(row, true);
    return row == 0 ? kopfhöhe_ : zeilenhöhen_[static_cast<std::size_t>(row - 1)];
}

void Grid::SetRowHeight(int row, int twips) {
    PrüfeZeile(row, true);
    if (twips < 0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, VollerName() + ": negative row height");
    (row == 0 ? kopfhöhe_ : zeilenhöhen_[static_cast<std::size_t>(row - 1)]) = twips;
    Geändert();
}

void Grid::SetTopRow(int row) {
    PrüfeZeile(row, false);
    topRow_ = row;
    Geändert();
}

void Grid::InsertRow(int index) {
    if (index < 1 || index > Rows() + 1)
        throw LaufzeitFehler(fehlernummer::IndexAusserhalb,
                             VollerName() + ": keine Zeile einzufügen an " + std::to_string(index));
    FinishEditing();
    zellen_.insert(zellen_.begin() + (index - 1), std::vector<std::string>(spalten_.size()));
    zeilenhöhen_.insert(zeilenhöhen_.begin() + (index - 1), StandardZeilenhöhe);
    std::set<int> neu;
    for (int r : auswahl_) neu.insert(r >= index ? r + 1 : r);
    auswahl_ = std::move(neu);
    Geändert();
    AktuelleZelleEinpassen();
}

void Grid::RemoveRow(int index) {
    PrüfeZeile(index, false);
    FinishEditing();
    zellen_.erase(zellen_.begin() + (index - 1));
    zeilenhöhen_.erase(zeilenhöhen_.begin() + (index - 1));
    std::set<int> neu;
    for (int r : auswahl_)
        if (r != index) neu.insert(r > index ? r - 1 : r);
    auswahl_ = std::move(neu);
    topRow_ = std::clamp(topRow_, 1, std::max(Rows(), 1));
    Geändert();
    AktuelleZelleEinpassen();
}

void Grid::SelectRow(int row, bool ausgewählt) {
    PrüfeZeile(row, false);
    if (ausgewählt ? !auswahl_.insert(row).second : auswahl_.erase(row) == 0) return;
    Geändert();
}

void Grid::ClearSelection() {
    if (auswahl_.empty()) return;
    auswahl_.clear();
    Geändert();
}

int Grid::CellLeft(int col) const {
    PrüfeSpalte(col);
    int links = Left();
    for (int c = 1; c < col; ++c) links += spalten_[static_cast<std::size_t>(c - 1)].breite;
    return links;
}

int Grid::CellTop(int row) const {
    PrüfeZeile(row, false);
    int oben = Top() + kopfhöhe_;
    for (int r = topRow_; r < row; ++r) oben += zeilenhöhen_[static_cast<std::size_t>(r - 1)];
    for (int r = row; r < topRow_; ++r) oben -= zeilenhöhen_[static_cast<std::size_t>(r - 1)];
    return oben;
}

Geometrie Grid::CellGeometrie(int row, int col) const {
    return {CellLeft(col), CellTop(row), CellWidth(col), CellHeight(row)};
}

Tastenergebnis Grid::Tippen(char32_t zeichen) {
    if (row_ == 0 || col_ == 0 || ColReadOnly(col_)) return Tastenergebnis::Abgelehnt;
    int code = static_cast<int>(zeichen);
    KeyPress.Auslösen(code);
    if (code == 0) return Tastenergebnis::Verworfen;
    if (code < 32 && code != taste::Rücktaste) return Tastenergebnis::Angenommen;
    if (!editiert_) {
        editiert_ = true;
        editZeile_ = row_;
        editSpalte_ = col_;
        editText_.clear();
    } else if (code == taste::Rücktaste) {
        editText_ = utf8::Teil(editText_, 0, std::max(utf8::Länge(editText_) - 1, 0));
    }
    if (code != taste::Rücktaste) editText_ += utf8::Zeichen(static_cast<char32_t>(code));
    Geändert();
    return Tastenergebnis::Angenommen;
}

void Grid::EditVerwerfen() {
    editiert_ = false;
    editText_.clear();
    Geändert();
}

void Grid::FinishEditing() {
    if (!editiert_) return;
    const int row = editZeile_, col = editSpalte_;
    std::string text = std::move(editText_);
    EditVerwerfen();
    const std::string vorher = TextMatrix(row, col);
    SetTextMatrix(row, col, std::move(text));
    std::int16_t annehmen = -1;
    EditEnd.Auslösen(annehmen);
    // A handler that did not accept the edit: the edited cell (if it still exists) gets its old text back.
    if (annehmen != 0 && EditEnd.Verbunden() && row <= Rows() && col <= Cols()) SetTextMatrix(row, col, vorher);
}

void Grid::TasteDrücken(int code, int shift) {
    const bool navigation = code == taste::Tab || code == taste::Enter || (code >= taste::Links && code <= taste::Unten);
    if (navigation) FinishEditing();
    std::int16_t k = static_cast<std::int16_t>(code);
    KeyDown.Auslösen(k, shift);
    if (k == 0 || row_ == 0 || col_ == 0) return;
    switch (k) {
        case taste::Tab:
            if (shift & umschalt::Shift) {
                if (col_ > 1) SetCol(col_ - 1);
                else if (row_ > 1) SetZelle(row_ - 1, Cols());
            } else {
                if (col_ < Cols()) SetCol(col_ + 1);
                else if (row_ < Rows()) SetZelle(row_ + 1, 1);
            }
            break;
        case taste::Rechts:
            if (col_ < Cols()) SetCol(col_ + 1);
            break;
        case taste::Links:
            if (col_ > 1) SetCol(col_ - 1);
            break;
        case taste::Unten:
            if (row_ < Rows()) SetRow(row_ + 1);
            break;
        case taste::Oben:
            if (row_ > 1) SetRow(row_ - 1);
            break;
        case taste::Rücktaste:
            Tippen(taste::Rücktaste);
            break;
        case taste::Escape:
            if (editiert_) EditVerwerfen();
            break;
        default:
            break;
    }
}

void Grid::SetZellEditor(int col, ComboBox* editor) {
    if (col < 1) throw LaufzeitFehler(fehlernummer::IndexAusserhalb, VollerName() + ": keine Spalte " + std::to_string(col));
    if (editor) editoren_[col] = editor;
    else editoren_.erase(col);
}

ComboBox* Grid::ZellEditor(int col) const {
    auto it = editoren_.find(col);
    return it == editoren_.end() ? nullptr : it->second;
}

}  // namespace vk::ui
