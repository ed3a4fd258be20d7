#include "bindung/einfache.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "bindung/aktion.h"
#include "bindung/symbolbilder.h"
#include "platform/controls/version.h"
#include "platform/controls/wiedergabe.h"
#include "sprache.h"

namespace vkhost {

namespace {

using vk::ui::Control;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A binding whose kind-specific part is a function of the control and the widget.
template <class C, class W>
class Einfach : public SteuerelementBindung {
public:
    using Übertragung = std::function<void(C&, W&)>;
    Einfach(C& control, W* widget, Übertragung ü)
        : SteuerelementBindung(control, widget), widget_(widget), ü_(std::move(ü)) {}

protected:
    void Übertragen(Control& c) override { ü_(static_cast<C&>(c), *widget_); }

private:
    W* widget_;
    Übertragung ü_;
};

template <class C, class W>
std::unique_ptr<SteuerelementBindung> Fertig(C& control, W* widget, typename Einfach<C, W>::Übertragung ü) {
    auto b = std::make_unique<Einfach<C, W>>(control, widget, std::move(ü));
    b->Aktualisieren();
    return b;
}

// The control behind an anchor, as its own type, or nullptr once the binding let go.
template <class C>
C* Von(const std::shared_ptr<Anker>& anker) {
    return static_cast<C*>(anker->control);
}

}  // namespace

std::unique_ptr<SteuerelementBindung> KontrollkästchenBinden(vk::ui::CheckBox& box, QCheckBox* w) {
    auto b = Fertig<vk::ui::CheckBox, QCheckBox>(box, w, [](vk::ui::CheckBox& c, QCheckBox& w) {
        w.setText(Q(c.Caption()));
        w.setChecked(c.Value() == 1);
    });
    QObject::connect(w, &QCheckBox::clicked, w, [anker = b->AnkerVon(), w](bool an) {
        if (auto* c = Von<vk::ui::CheckBox>(anker)) Ausführen([&] { vk::ui::Ankreuzen(*c, an ? 1 : 0); });
        if (auto* c = Von<vk::ui::CheckBox>(anker)) w->setChecked(c->Value() == 1);  // a refused tick
    });
    return b;
}

std::unique_ptr<SteuerelementBindung> OptionBinden(vk::ui::OptionButton& knopf, QRadioButton* w) {
    w->setAutoExclusive(false);  // which buttons exclude each other is the form's business
    auto b = Fertig<vk::ui::OptionButton, QRadioButton>(knopf, w, [](vk::ui::OptionButton& c, QRadioButton& w) {
        w.setText(Q(c.Caption()));
        w.setChecked(c.Value());
    });
    QObject::connect(w, &QRadioButton::clicked, w, [anker = b->AnkerVon(), w](bool) {
        if (auto* c = Von<vk::ui::OptionButton>(anker)) Ausführen([&] { vk::ui::Wählen(*c); });
        if (auto* c = Von<vk::ui::OptionButton>(anker)) w->setChecked(c->Value());
    });
    return b;
}

std::unique_ptr<SteuerelementBindung> KnopfBinden(vk::ui::CommandButton& knopf, QPushButton* w) {
    w->setAutoDefault(false);
    w->setDefault(false);
    auto b = Fertig<vk::ui::CommandButton, QPushButton>(knopf, w, [](vk::ui::CommandButton& c, QPushButton& w) {
        w.setText(Q(c.Caption()));  // "&OK": Qt takes the "&" as the mnemonic as well
        w.setIcon(Symbolbild(c.Picture()));
    });
    QObject::connect(w, &QPushButton::clicked, w, [anker = b->AnkerVon()] {
        // Every dialog confirms with its button "CommandEnde".
        if (auto* c = Von<vk::ui::CommandButton>(anker))
            Ausführen([&] { vk::ui::Klicken(*c); },
                      c->Name() == "CommandEnde" ? Aktionsart::Bestätigen : Aktionsart::Eingabe);
    });
    return b;
}

std::unique_ptr<SteuerelementBindung> BeschriftungBinden(vk::ui::Label& label, QLabel* w) {
    w->setTextFormat(Qt::PlainText);
    return Fertig<vk::ui::Label, QLabel>(label, w, [](vk::ui::Label& c, QLabel& w) {
        // The component's version label shows the program's version.
        w.setText(c.Caption() == vk::ui::VersionsText() ? Versionstext() : Q(c.Caption()));
    });
}

std::unique_ptr<SteuerelementBindung> RahmenBinden(vk::ui::Frame& rahmen, QGroupBox* w) {
    return Fertig<vk::ui::Frame, QGroupBox>(rahmen, w, [](vk::ui::Frame& c, QGroupBox& w) { w.setTitle(Q(c.Caption())); });
}

namespace {

void ListeÜbertragen(vk::ui::ComboBox& c, QComboBox& w) {
    bool gleich = w.count() == c.ListCount();
    for (int i = 0; gleich && i < c.ListCount(); ++i) gleich = w.itemText(i).toStdString() == c.List(i);
    if (!gleich) {
        w.clear();
        for (int i = 0; i < c.ListCount(); ++i) w.addItem(Q(c.List(i)));
    }
    w.setEditable(c.Style() == vk::ui::ComboBox::Stil::Bearbeitbar);
    w.setCurrentIndex(c.ListIndex());
    if (w.isEditable() && w.lineEdit()->text() != Q(c.Text())) w.setEditText(Q(c.Text()));
}

}  // namespace

std::unique_ptr<SteuerelementBindung> KombinationsfeldBinden(vk::ui::ComboBox& combo, QComboBox* w) {
    auto b = Fertig<vk::ui::ComboBox, QComboBox>(combo, w, ListeÜbertragen);
    auto wählen = [anker = b->AnkerVon(), w](const QString& text) {
        if (auto* c = Von<vk::ui::ComboBox>(anker)) Ausführen([&] { vk::ui::Auswählen(*c, text.toStdString()); });
        if (auto* c = Von<vk::ui::ComboBox>(anker)) {
            const QSignalBlocker sperre(w);
            ListeÜbertragen(*c, *w);
        }
    };
    QObject::connect(w, &QComboBox::textActivated, w, wählen);
    if (combo.Style() == vk::ui::ComboBox::Stil::Bearbeitbar)
        QObject::connect(w->lineEdit(), &QLineEdit::editingFinished, w, [w, wählen] { wählen(w->currentText()); });
    return b;
}

namespace {

// The keys a drop-down over a cell hands to its grid: those that leave the cell (Tab, Shift+Tab),
// Enter, and Escape while its list is closed. Every other key is the combo box's own: Down and Up
// change the entry, Alt+Down, F4 and Space open the list, a letter finds an entry; Left and Right,
// which a combo box leaves alone, reach the grid as its parent and move to the next cell.
class ZellTasten : public QObject {
public:
    ZellTasten(QComboBox* combo, QTableWidget& tabelle) : QObject(combo), combo_(combo), tabelle_(tabelle) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return QObject::eventFilter(o, e);
        auto* k = static_cast<QKeyEvent*>(e);
        const bool gitter = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab || k->key() == Qt::Key_Return ||
                            k->key() == Qt::Key_Enter || (k->key() == Qt::Key_Escape && !combo_->view()->isVisible());
        if (!gitter) return QObject::eventFilter(o, e);
        tabelle_.setFocus(Qt::OtherFocusReason);
        QKeyEvent kopie(k->type(), k->key(), k->modifiers(), k->text());
        QApplication::sendEvent(&tabelle_, &kopie);
        return true;
    }

private:
    QComboBox* combo_;
    QTableWidget& tabelle_;
};

class ZellEditor : public SteuerelementBindung {
public:
    ZellEditor(vk::ui::ComboBox& combo, vk::ui::Grid& grid, int spalte, QTableWidget& tabelle, QComboBox* w)
        : SteuerelementBindung(combo, w), grid_(grid), spalte_(spalte), tabelle_(tabelle), w_(w) {
        AuchBeobachten(grid);
    }

protected:
    void Übertragen(Control& c) override {
        auto& combo = static_cast<vk::ui::ComboBox&>(c);
        ListeÜbertragen(combo, *w_);
        // The drop-down is the cell's editor: the keys go to it while it lies over the current cell,
        // and back to the grid when it goes.
        if (!combo.Visible()) {
            if (w_->hasFocus()) tabelle_.setFocus(Qt::OtherFocusReason);
            return;
        }
        if (tabelle_.hasFocus()) w_->setFocus(Qt::OtherFocusReason);
        if (grid_.Row() < 1 || spalte_ > tabelle_.columnCount()) return;
        // Over the current row's cell of its column, in the grid's own pixels.
        const QRect zelle = tabelle_.visualRect(tabelle_.model()->index(grid_.Row() - 1, spalte_ - 1));
        w_->setGeometry(zelle);
        w_->raise();
    }

    // Hidden as the cell changes (an arrow key, a click), the editor hands the focus back to its
    // grid, not to the dialog's next field where the following keys would change another input.
    QWidget* FokusBeimVerstecken() const override { return &tabelle_; }

private:
    vk::ui::Grid& grid_;
    int spalte_;
    QTableWidget& tabelle_;
    QComboBox* w_;
};

}  // namespace

std::unique_ptr<SteuerelementBindung> ZellEditorBinden(vk::ui::ComboBox& combo, vk::ui::Grid& grid, int spalte,
                                                       QTableWidget& tabelle, QComboBox* w) {
    // Wherever the dialog's layout put it, the editor lives on the grid's cells.
    w->setParent(tabelle.viewport());
    w->installEventFilter(new ZellTasten(w, tabelle));
    auto b = std::make_unique<ZellEditor>(combo, grid, spalte, tabelle, w);
    b->Aktualisieren();
    // An entry chosen (with the mouse or a key) is written to the cell the way a script sets it, and
    // the cell stays current with its editor: Tab then goes on to the next cell of the row.
    // The grid goes with the form, as the combo box does: the combo box's anchor tells whether both live.
    QObject::connect(w, &QComboBox::textActivated, w, [anker = b->AnkerVon(), &grid, spalte, w](const QString& text) {
        if (!anker->control) return;
        const int zeile = grid.Row();
        Ausführen([&] {
            vk::ui::ZelleSetzen(grid, zeile, spalte, text.toStdString());
            vk::ui::ZelleWählen(grid, zeile, spalte);
        });
        if (anker->control && w->isVisible()) w->setFocus(Qt::OtherFocusReason);
    });
    return b;
}

}  // namespace vkhost
