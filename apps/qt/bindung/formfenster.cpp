#include "bindung/formfenster.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

#include "bindung/einfache.h"
#include "bindung/entwurf.h"
#include "bindung/symbolbilder.h"
#include "platform/controls/combobox.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/grid.h"

namespace vkhost {

namespace {

using vk::ui::Art;
using vk::ui::Control;

// Grids declare their in-cell editors for columns that may not exist yet: look far enough.
constexpr int kMaxEditorSpalte = 64;

// The buttons Enter and Escape stand for: the category dialogs' "&OK" and "&Abbruch", the table
// choice's OK (its Escape is the host dialog's own).
constexpr const char* kBestätigen[] = {"CommandEnde", "cmdEnde"};
constexpr const char* kAbbrechen[] = {"CommandAbbruch"};

bool IstEingabe(const Control& c) {
    return c.Kind() == Art::MaskEdBox || c.Kind() == Art::TextBox || c.Kind() == Art::ComboBox;
}

// The grid and column a combo box edits in place, if it is an in-cell editor.
std::pair<vk::ui::Grid*, int> EditorVon(const vk::ui::Form& form, const Control& combo) {
    for (Control* c : form.Controls()) {
        if (c->Kind() != Art::Grid) continue;
        auto* grid = static_cast<vk::ui::Grid*>(c);
        for (int s = 1; s <= kMaxEditorSpalte; ++s)
            if (grid->ZellEditor(s) == &combo) return {grid, s};
    }
    return {nullptr, 0};
}

}  // namespace

FormFenster::FormFenster(vk::ui::Form& form, QWidget* eltern) : QFrame(eltern), form_(&form) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* layout = new QVBoxLayout(this);
    QString fehler;
    if (QWidget* entwurf = EntwurfLaden(objectName(), this, &fehler)) {
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(entwurf);
        ausEntwurf_ = true;
        EntwurfBinden(entwurf, layout);
    } else {
        if (!fehler.isEmpty()) qWarning("%s", qPrintable(fehler));
        auto* knopfzeile = new QHBoxLayout;
        Aufbauen(form, this, layout, knopfzeile);
        knopfzeile->insertStretch(knopfzeile->count() > 0 && widgets_.count(form.Finden("lblVersion")) ? 1 : 0, 1);
        layout->addLayout(knopfzeile);
        ZellEditorenBinden({});
    }
    beobachter_ = form.Beobachten([this](const Control&) { FormÜbertragen(); });
    FormÜbertragen();
}

FormFenster::~FormFenster() {
    if (form_) form_->NichtMehrBeobachten(beobachter_);
    // The bindings stop observing their controls while the form still exists.
    bindungen_.clear();
}

QWidget* FormFenster::WidgetVon(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second.data();
}

void FormFenster::StilSetzen(long stil) {
    if (stil & 0x100) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(2);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

bool FormFenster::Anbinden(Control& c, QWidget* w) {
    auto b = Binden(c, w);
    if (!b) return false;
    widgets_[&c] = w;
    bindungen_.push_back(std::move(b));
    return true;
}

void FormFenster::EntwurfBinden(QWidget* entwurf, QBoxLayout* layout) {
    const QString datei = objectName() + ".ui";
    std::map<const Control*, QWidget*> editoren;
    std::vector<Control*> fehlend;
    for (Control* c : form_->Controls()) {
        if (WidgetKlasse(*c).isEmpty()) continue;  // no widget (image lists)
        const QString name = QString::fromStdString(c->VollerName());
        const QList<QWidget*> treffer = entwurf->findChildren<QWidget*>(name);
        QWidget* w = treffer.size() == 1 ? treffer.front() : nullptr;
        if (treffer.isEmpty()) {
            mängel_ << QString("%1: fehlt in %2").arg(name, datei);
        } else if (treffer.size() > 1) {
            mängel_ << QString("%1: %2 Widgets dieses Namens in %3").arg(name).arg(treffer.size()).arg(datei);
        } else if (!WidgetPasst(*c, w)) {
            mängel_ << QString("%1: ein %2 in %3, gebraucht wird ein %4")
                           .arg(name, w->metaObject()->className(), datei, WidgetKlasse(*c));
            w = nullptr;
        }
        if (!w) fehlend.push_back(c);
        else if (c->Kind() == Art::ComboBox && EditorVon(*form_, *c).first) editoren[c] = w;
        else Anbinden(*c, w);
    }
    // What the file lacks is shown all the same, below the layout.
    if (!fehlend.empty()) {
        auto* rest = new QGroupBox("Nicht im Formular", this);
        rest->setObjectName("NichtImEntwurf");
        auto* restLayout = new QVBoxLayout(rest);
        for (Control* c : fehlend) {
            if (c->Kind() == Art::ComboBox && EditorVon(*form_, *c).first) continue;  // made with its grid
            QWidget* w = WidgetErzeugen(*c, rest);
            restLayout->addWidget(w);
            Anbinden(*c, w);
        }
        layout->addWidget(rest);
        qWarning("%s", qPrintable(mängel_.join("\n")));
    }
    ZellEditorenBinden(editoren);
}

void FormFenster::Aufbauen(Control& behälter, QWidget* fläche, QBoxLayout* layout, QBoxLayout* knopfzeile) {
    const std::vector<Control*>& alle = form_->Controls();
    for (std::size_t i = 0; i < alle.size(); ++i) {
        Control& c = *alle[i];
        if (c.Parent() != &behälter || WidgetKlasse(c).isEmpty()) continue;
        if (c.Kind() == Art::ComboBox && EditorVon(*form_, c).first) continue;  // bound over its grid later
        QWidget* w = WidgetErzeugen(c, fläche);
        Anbinden(c, w);

        const bool aufDerForm = &behälter == form_;
        if (aufDerForm && c.Kind() == Art::CommandButton) {
            knopfzeile->addWidget(w);
        } else if (aufDerForm && c.Name() == "lblVersion") {
            knopfzeile->insertWidget(0, w);
        } else if (c.Kind() == Art::Frame) {
            layout->addWidget(w);
            auto* innen = new QVBoxLayout(w);
            Aufbauen(c, w, innen, innen);
        } else if (c.Kind() == Art::Label && i + 1 < alle.size() && alle[i + 1]->Parent() == &behälter &&
                   IstEingabe(*alle[i + 1]) && !EditorVon(*form_, *alle[i + 1]).first) {
            // A label and the input after it share a row.
            auto* zeile = new QHBoxLayout;
            zeile->addWidget(w);
            layout->addLayout(zeile);
            Control& eingabe = *alle[++i];
            QWidget* we = WidgetErzeugen(eingabe, fläche);
            Anbinden(eingabe, we);
            zeile->addWidget(we, 1);
        } else {
            layout->addWidget(w, c.Kind() == Art::Grid ? 1 : 0);
        }
    }
}

void FormFenster::ZellEditorenBinden(const std::map<const Control*, QWidget*>& vorhanden) {
    for (Control* c : form_->Controls()) {
        if (c->Kind() != Art::ComboBox) continue;
        auto [grid, spalte] = EditorVon(*form_, *c);
        auto* tabelle = grid ? qobject_cast<QTableWidget*>(WidgetVon(*grid)) : nullptr;
        if (!tabelle) continue;
        auto it = vorhanden.find(c);
        auto* w = it != vorhanden.end() ? qobject_cast<QComboBox*>(it->second) : new QComboBox(tabelle->viewport());
        auto b = ZellEditorBinden(static_cast<vk::ui::ComboBox&>(*c), *grid, spalte, *tabelle, w);
        widgets_[c] = b->Widget();
        bindungen_.push_back(std::move(b));
    }
}

void FormFenster::FormÜbertragen() {
    if (!form_) return;
    if (!form_->Geladen()) {
        Loslassen();
        return;
    }
    const QString titel = QString::fromStdString(form_->Caption());
    if (windowTitle() != titel) {
        setWindowTitle(titel);
        emit TitelNeu(titel);
    }
    setWindowIcon(Symbolbild(form_->Icon()));
    if (sichtbar_ != form_->Visible()) {
        sichtbar_ = form_->Visible();
        emit SichtbarkeitNeu(sichtbar_);
    }
}

void FormFenster::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool escape = e->key() == Qt::Key_Escape;
    if (!form_ || (!enter && !escape) || (e->modifiers() & ~Qt::KeypadModifier)) {
        QFrame::keyPressEvent(e);
        return;
    }
    auto* fokus = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (enter && fokus && isAncestorOf(fokus)) {
        fokus->click();
        return;
    }
    const auto finden = [this](const auto& namen) -> QPushButton* {
        for (const char* name : namen)
            if (auto* b = findChild<QPushButton*>(name); b && b->isEnabled() && b->isVisible()) return b;
        return nullptr;
    };
    if (QPushButton* knopf = enter ? finden(kBestätigen) : finden(kAbbrechen)) {
        knopf->click();
        return;
    }
    QFrame::keyPressEvent(e);
}

void FormFenster::ErstesFeldFokussieren() {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !w->isEnabled() || !w->isVisible() || !(w->focusPolicy() & Qt::TabFocus)) continue;
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

void FormFenster::Loslassen() {
    if (!form_) return;
    // Unloaded: the form is discarded soon; nothing may touch it or its controls from here on.
    form_ = nullptr;
    for (auto& b : bindungen_) b->Lösen();
    emit Entladen();
}

}  // namespace vkhost
