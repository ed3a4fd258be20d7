#include "bindung/gittertabelle.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScrollBar>
#include <QTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "bindung/aktion.h"
#include "platform/controls/wiedergabe.h"

namespace vkhost {

namespace {

int Umschaltung(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? vk::ui::umschalt::Shift : 0) | (m & Qt::ControlModifier ? vk::ui::umschalt::Strg : 0) |
           (m & Qt::AltModifier ? vk::ui::umschalt::Alt : 0);
}

// The key code the form's handlers know for a Qt key, or 0.
int Tastencode(int key) {
    switch (key) {
        case Qt::Key_Tab: case Qt::Key_Backtab: return vk::ui::taste::Tab;
        case Qt::Key_Return: case Qt::Key_Enter: return vk::ui::taste::Enter;
        case Qt::Key_Left: return vk::ui::taste::Links;
        case Qt::Key_Up: return vk::ui::taste::Oben;
        case Qt::Key_Right: return vk::ui::taste::Rechts;
        case Qt::Key_Down: return vk::ui::taste::Unten;
        case Qt::Key_Backspace: return vk::ui::taste::Rücktaste;
        case Qt::Key_Escape: return vk::ui::taste::Escape;
        case Qt::Key_Delete: return vk::ui::taste::Entf;
        default: return 0;
    }
}

Qt::Alignment Ausrichtung(int a) {
    if (a == vk::ui::ausrichtung::Rechts) return Qt::AlignRight | Qt::AlignVCenter;
    if (a == vk::ui::ausrichtung::Mitte) return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

Gittertabelle::Gittertabelle(QWidget* eltern) : QTableWidget(eltern), anker_(std::make_shared<Anker>()) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setTabKeyNavigation(false);
    horizontalHeader()->setHighlightSections(false);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int zeile, int spalte, int, int) {
        vk::ui::Grid* g = Gitter();
        if (!g || zeile < 0 || spalte < 0 || (zeile + 1 == g->Row() && spalte + 1 == g->Col())) return;
        Eingabe([&] { vk::ui::ZelleWählen(*g, zeile + 1, spalte + 1); });
    });
    connect(this, &QTableWidget::itemSelectionChanged, this, [this] {
        vk::ui::Grid* g = Gitter();
        if (!g) return;
        std::vector<int> zeilen;
        for (const QModelIndex& i : selectionModel()->selectedRows()) zeilen.push_back(i.row() + 1);
        std::sort(zeilen.begin(), zeilen.end());
        if (zeilen == g->SelectedRows()) return;
        Eingabe([&] { vk::ui::ZeilenAuswählen(*g, zeilen); });
    });
}

void Gittertabelle::Eingabe(const std::function<void()>& aktion) {
    ++eingabe_;
    Ausführen(aktion);
    --eingabe_;
}

void Gittertabelle::AbgleichVormerken() {
    if (vorgemerkt_) return;
    vorgemerkt_ = true;
    QTimer::singleShot(0, this, [this] {
        vorgemerkt_ = false;
        if (abgleich_) abgleich_();
    });
}

void Gittertabelle::AnkerSetzen(std::shared_ptr<Anker> anker) { anker_ = std::move(anker); }

vk::ui::Grid* Gittertabelle::Gitter() const { return static_cast<vk::ui::Grid*>(anker_->control); }

bool Gittertabelle::Taste(int code, int shift) {
    vk::ui::Grid* g = Gitter();
    if (!g) return false;
    const int zeile = g->Row(), spalte = g->Col(), zeilen = g->Rows();
    const bool editiert = g->Editiert();
    Ausführen([&] { vk::ui::TasteDrücken(*g, code, shift); });
    if (!(g = Gitter())) return true;
    return zeile != g->Row() || spalte != g->Col() || zeilen != g->Rows() || editiert != g->Editiert();
}

bool Gittertabelle::event(QEvent* e) {
    // Tab belongs to the grid (the form may add a row with it); only when the grid did nothing with
    // it, at its last cell, does it move the focus on.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            const bool zurück = k->key() == Qt::Key_Backtab;
            const int shift = Umschaltung(k->modifiers()) | (zurück ? vk::ui::umschalt::Shift : 0);
            if (!Taste(vk::ui::taste::Tab, shift)) focusNextPrevChild(!zurück);
            return true;
        }
    }
    return QTableWidget::event(e);
}

void Gittertabelle::keyPressEvent(QKeyEvent* e) {
    if (!Gitter()) return;
    if (const int code = Tastencode(e->key())) {
        const int zeileVorher = Gitter()->Row();
        const bool getan = Taste(code, Umschaltung(e->modifiers()));
        // Moved to another row by a key without Shift or Ctrl, the selection is the new current row,
        // as a click, Home or End select the row they land in: "Löschen" then removes the row the
        // person is on instead of asking and removing nothing.
        vk::ui::Grid* g = Gitter();
        if (getan && g && g->Row() >= 1 && g->Row() != zeileVorher &&
            !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
            Eingabe([&] { vk::ui::ZeilenAuswählen(*g, {g->Row()}); });
        // Enter and Escape the grid did nothing with (no cell being edited) go on to the window:
        // they confirm or cancel the dialog.
        const bool fürsFenster = code == vk::ui::taste::Enter || code == vk::ui::taste::Escape;
        if (!getan && fürsFenster) e->ignore();
        return;
    }
    const std::u32string text = e->text().toStdU32String();
    if (!text.empty() && text[0] >= 32 && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        Ausführen([&] {
            for (char32_t z : text)
                if (vk::ui::Grid* g = Gitter()) vk::ui::Tippen(*g, z);
        });
        return;
    }
    QTableWidget::keyPressEvent(e);  // Home, End, pages: the current cell follows
}

void Gittertabelle::focusInEvent(QFocusEvent* e) {
    QTableWidget::focusInEvent(e);
    if (vk::ui::Grid* g = Gitter(); g && !g->HatFokus()) Ausführen([&] { vk::ui::Betreten(*g); });
}

void Gittertabelle::focusOutEvent(QFocusEvent* e) {
    QTableWidget::focusOutEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    // Into its own in-cell editor the grid's focus goes with the editor's own handling.
    if (QWidget* neu = QApplication::focusWidget(); neu && isAncestorOf(neu)) return;
    if (vk::ui::Grid* g = Gitter(); g && g->HatFokus()) Ausführen([&] { vk::ui::Verlassen(*g); });
}

namespace {

class GridBindung : public SteuerelementBindung {
public:
    GridBindung(vk::ui::Grid& grid, Gittertabelle* t) : SteuerelementBindung(grid, t), t_(t) {
        t->abgleich_ = [this] { Aktualisieren(); };
    }
    ~GridBindung() override {
        if (t_) t_->abgleich_ = nullptr;
    }

protected:
    void Übertragen(vk::ui::Control& c) override {
        auto& g = static_cast<vk::ui::Grid&>(c);
        t_->setColumnCount(g.Cols());
        t_->setRowCount(g.Rows());
        for (int s = 1; s <= g.Cols(); ++s) {
            auto* kopf = t_->horizontalHeaderItem(s - 1);
            if (!kopf) t_->setHorizontalHeaderItem(s - 1, kopf = new QTableWidgetItem);
            kopf->setText(QString::fromStdString(g.HeaderText(s)));
            kopf->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            t_->setColumnWidth(s - 1, Spaltenbreite(g, s));
        }
        // Wide enough for every column.
        int breite = 2 * t_->frameWidth() + t_->verticalHeader()->sizeHint().width() + t_->verticalScrollBar()->sizeHint().width();
        for (int s = 1; s <= g.Cols(); ++s) breite += t_->columnWidth(s - 1);
        t_->setMinimumWidth(breite);
        for (int z = 1; z <= g.Rows(); ++z) {
            t_->setRowHeight(z - 1, std::max(Pixel(g.RowHeight(z)), 18));
            for (int s = 1; s <= g.Cols(); ++s) ZelleÜbertragen(g, z, s);
        }
        // While Qt itself changes the current cell or the selection, both are matched afterwards.
        if (t_->InEingabe()) {
            t_->AbgleichVormerken();
        } else {
            if (g.Row() >= 1 && g.Col() >= 1) t_->setCurrentCell(g.Row() - 1, g.Col() - 1, QItemSelectionModel::NoUpdate);
            t_->selectionModel()->clearSelection();
            for (int z : g.SelectedRows())
                t_->selectionModel()->select(t_->model()->index(z - 1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        // The form's scroll position and current cell are followed when the form changes them, so a
        // person's own scrolling stays as it is between the form's changes.
        if (g.Rows() > 0 && g.TopRow() != obersteZeile_) t_->verticalScrollBar()->setValue(g.TopRow() - 1);
        obersteZeile_ = g.TopRow();
        if (g.Row() >= 1 && g.Col() >= 1 && (g.Row() != zeile_ || g.Col() != spalte_))
            t_->scrollTo(t_->model()->index(g.Row() - 1, g.Col() - 1));
        zeile_ = g.Row();
        spalte_ = g.Col();
    }

private:
    // The form's width of the column, widened to its header and its cells as this font shows them
    // (the form measured them in another font). A column the form hides stays hidden.
    int Spaltenbreite(vk::ui::Grid& g, int s) const {
        const int form = Pixel(g.ColWidth(s));
        if (form <= 0) return form;
        const int rand = 2 * t_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t_) + 8;
        int text = t_->horizontalHeader()->fontMetrics().horizontalAdvance(QString::fromStdString(g.HeaderText(s))) + rand;
        // A column with an in-cell editor also holds the editor's arrow.
        const int pfeil = g.ZellEditor(s) ? t_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, t_) + 4 : 0;
        for (int z = 1; z <= g.Rows(); ++z)
            text = std::max(text, t_->fontMetrics().horizontalAdvance(QString::fromStdString(g.TextMatrix(z, s))) + rand + pfeil);
        return std::max(form, text);
    }

    void ZelleÜbertragen(vk::ui::Grid& g, int z, int s) {
        auto* item = t_->item(z - 1, s - 1);
        if (!item) t_->setItem(z - 1, s - 1, item = new QTableWidgetItem);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool imEdit = g.Editiert() && z == g.Row() && s == g.Col();
        item->setText(QString::fromStdString(imEdit ? g.EditText() : g.TextMatrix(z, s)));
        item->setTextAlignment(Ausrichtung(g.ColAlignment(s)));
        // A cell being typed into is marked, read-only columns are greyed.
        if (imEdit) item->setBackground(QColor(255, 250, 205));
        else if (g.ColReadOnly(s)) item->setBackground(t_->palette().color(QPalette::AlternateBase));
        else item->setBackground(QBrush());
    }

    QPointer<Gittertabelle> t_;
    int obersteZeile_ = 1;
    int zeile_ = 0;
    int spalte_ = 0;
};

}  // namespace

std::unique_ptr<SteuerelementBindung> GridBinden(vk::ui::Grid& grid, Gittertabelle* t) {
    auto b = std::make_unique<GridBindung>(grid, t);
    t->AnkerSetzen(b->AnkerVon());
    b->Aktualisieren();
    return b;
}

}  // namespace vkhost
