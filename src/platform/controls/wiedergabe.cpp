#include "platform/controls/wiedergabe.h"

#include <string>

#include "common/fehler.h"
#include "platform/controls/utf8.h"

namespace vk::ui {

namespace {

[[noreturn]] void Fehler(const Control& c, const std::string& text) {
    throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                         c.ParentForm().Name() + "." + c.VollerName() + ": " + text);
}

// A person can only operate what is enabled and visible on a loaded form.
void Prüfen(const Control& c) {
    if (!c.ParentForm().Geladen()) Fehler(c, "das Formular ist nicht geladen");
    if (!c.Bedienbar()) Fehler(c, "das Steuerelement ist gesperrt oder verborgen");
}

std::string Zitat(char32_t zeichen) { return "'" + utf8::Zeichen(zeichen) + "'"; }

std::string Liste(const ComboBox& combo) {
    std::string s;
    for (int i = 0; i < combo.ListCount(); ++i) s += (i ? ", \"" : "\"") + combo.List(i) + "\"";
    return s.empty() ? "eine leere Liste" : s;
}

int EintragSuchen(const ComboBox& combo, std::string_view eintrag) {
    const int i = combo.FindItem(eintrag);
    if (i < 0) Fehler(combo, "\"" + std::string(eintrag) + "\" steht nicht in der Liste (" + Liste(combo) + ")");
    return i;
}

void ZeileAnfügen(Grid& grid) {
    const int spalte = grid.AnfügeSpalte();
    if (spalte == 0) Fehler(grid, "es lassen sich keine Zeilen anfügen (das Formular nennt keine Spalte zum Anfügen)");
    if (grid.Rows() == 0) Fehler(grid, "an eine Tabelle ohne Zeilen lassen sich keine Zeilen anfügen");
    if (spalte > grid.Cols()) Fehler(grid, "es lassen sich keine Zeilen anfügen (die Spalte zum Anfügen " + std::to_string(spalte) + " fehlt)");
    const int vorher = grid.Rows();
    grid.SetZelle(vorher, spalte);
    grid.TasteDrücken(taste::Tab);
    if (grid.Rows() != vorher + 1)
        Fehler(grid, "Tab in Spalte " + std::to_string(spalte) + " der letzten Zeile fügte " +
                         std::to_string(grid.Rows() - vorher) + " Zeilen statt einer an");
}

}  // namespace

void TextEingeben(TextFeld& feld, std::string_view wert) {
    Prüfen(feld);
    feld.SetFocus();
    feld.SetSelStart(0);
    feld.SetSelLength(utf8::Länge(feld.Text()));
    // The value is given whole, as a person pastes it: the field takes it as one text.
    if (feld.Einfügen(wert) == Tastenergebnis::Abgelehnt) {
        if (feld.Locked()) Fehler(feld, "das Feld ist schreibgeschützt");
        Fehler(feld, "nimmt \"" + std::string(wert) + "\" nicht an (Maske oder Höchstlänge)");
    }
    if (feld.HatFokus()) feld.ParentForm().FokusSetzen(nullptr);
}

void Ankreuzen(CheckBox& box, int wert) {
    Prüfen(box);
    if (wert != 0 && wert != 1) Fehler(box, "ein Kontrollkästchen nimmt 0 oder 1, nicht " + std::to_string(wert));
    box.SetFocus();
    box.SetValue(wert);
}

void Wählen(OptionButton& knopf) {
    Prüfen(knopf);
    knopf.SetFocus();
    knopf.SetValue(true);
}

void Auswählen(ComboBox& combo, std::string_view eintrag) {
    Prüfen(combo);
    if (combo.Style() == ComboBox::Stil::Bearbeitbar && combo.FindItem(eintrag) < 0) {
        combo.SetFocus();  // an editable combo box takes a text of its own
        combo.SetText(std::string(eintrag));
    } else {
        const int i = EintragSuchen(combo, eintrag);
        combo.SetFocus();
        combo.SetListIndex(i);
    }
    if (combo.HatFokus()) combo.ParentForm().FokusSetzen(nullptr);
}

void Klicken(CommandButton& knopf) {
    Prüfen(knopf);
    knopf.SetFocus();
    knopf.Click.Auslösen();
}

void TasteDrücken(Grid& grid, int code, int shift) {
    Prüfen(grid);
    grid.SetFocus();
    grid.TasteDrücken(code, shift);
}

void ZelleSetzen(Grid& grid, int row, int col, std::string_view wert) {
    Prüfen(grid);
    if (col < 1 || col > grid.Cols())
        Fehler(grid, "die Spalte " + std::to_string(col) + " gibt es nicht (Spalten: " + std::to_string(grid.Cols()) + ")");
    if (row < 1) Fehler(grid, "die Zeile " + std::to_string(row) + " gibt es nicht");
    if (row > kMaxGridZeilen && row > grid.Rows())
        Fehler(grid, "die Zeile " + std::to_string(row) + " ist mehr, als ein Dialog nimmt (höchstens " +
                         std::to_string(kMaxGridZeilen) + " Zeilen)");
    grid.SetFocus();
    while (grid.Rows() < row) ZeileAnfügen(grid);
    grid.SetZelle(row, col);

    if (ComboBox* editor = grid.ZellEditor(col)) {
        if (!editor->Bedienbar())
            Fehler(grid, "die Auswahl " + editor->VollerName() + " der Spalte " + std::to_string(col) +
                             " liegt nicht über der aktuellen Zelle");
        const int i = EintragSuchen(*editor, wert);
        editor->SetFocus();
        editor->SetListIndex(i);
        grid.SetFocus();  // leaving the editor: its LostFocus handler writes the cell
        return;
    }
    if (grid.ColReadOnly(col)) Fehler(grid, "die Spalte " + std::to_string(col) + " ist schreibgeschützt");
    const std::u32string zeichen = utf8::Zerlegen(wert);
    if (zeichen.empty()) grid.Tippen(taste::Rücktaste);
    for (char32_t z : zeichen)
        if (grid.Tippen(z) == Tastenergebnis::Abgelehnt) Fehler(grid, "nimmt das Zeichen nicht an: " + Zitat(z));
    grid.FinishEditing();
}

void Betreten(Control& control) {
    Prüfen(control);
    control.SetFocus();
}

void Verlassen(Control& control) {
    if (control.HatFokus()) control.ParentForm().FokusSetzen(nullptr);
}

void Einfügen(TextFeld& feld, std::string_view text) {
    Prüfen(feld);
    feld.SetFocus();
    if (feld.Einfügen(text) == Tastenergebnis::Abgelehnt) {
        if (feld.Locked()) Fehler(feld, "das Feld ist schreibgeschützt");
        Fehler(feld, "nimmt \"" + std::string(text) + "\" (Maske oder Höchstlänge)");
    }
}

void ZelleWählen(Grid& grid, int row, int col) {
    Prüfen(grid);
    grid.SetFocus();
    grid.SetZelle(row, col);
}

void ZeilenAuswählen(Grid& grid, const std::vector<int>& zeilen) {
    Prüfen(grid);
    grid.ClearSelection();
    for (int r : zeilen) grid.SelectRow(r);
}

void Tippen(Grid& grid, char32_t zeichen) {
    Prüfen(grid);
    grid.SetFocus();
    if (grid.Tippen(zeichen) == Tastenergebnis::Abgelehnt) Fehler(grid, "nimmt das Zeichen nicht an: " + Zitat(zeichen));
}

Control& SteuerelementFinden(Form& form, const Ziel& ziel) {
    const int index = ziel.indizes.size() == 1 ? ziel.indizes[0] : -1;
    if (Control* c = form.Finden(ziel.name, index)) return *c;
    const bool istFeld = form.Finden(ziel.name, 0) != nullptr;
    std::string text = "Formular " + form.Name() + ": ";
    if (index < 0 && istFeld)
        text += ziel.name + " ist ein Steuerelementfeld; bitte mit Index, z. B. " + ziel.name + "(0)";
    else if (index >= 0 && form.Finden(ziel.name, -1))
        text += ziel.name + " ist kein Steuerelementfeld";
    else
        text += "unbekanntes Steuerelement '" + ziel.Text() + "'";
    throw LaufzeitFehler(fehlernummer::UngueltigesArgument, text);
}

void Setzen(Form& form, std::string_view zieltext, std::string_view wert) {
    if (!form.Geladen())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "das Formular " + form.Name() + " ist nicht geladen");
    const Ziel ziel = ZielLesen(zieltext);
    Control& c = SteuerelementFinden(form, ziel);
    if (ziel.indizes.size() == 2) {
        auto* grid = dynamic_cast<Grid*>(&c);
        if (!grid) Fehler(c, "nur eine Tabelle hat Zellen (Zeile, Spalte)");
        ZelleSetzen(*grid, ziel.indizes[0], ziel.indizes[1], wert);
        return;
    }
    switch (c.Kind()) {
        case Art::MaskEdBox:
        case Art::TextBox:
            TextEingeben(static_cast<TextFeld&>(c), wert);
            return;
        case Art::CheckBox:
            if (wert != "0" && wert != "1") Fehler(c, "ein Kontrollkästchen nimmt 0 oder 1, nicht \"" + std::string(wert) + "\"");
            Ankreuzen(static_cast<CheckBox&>(c), wert == "1" ? 1 : 0);
            return;
        case Art::OptionButton:
            if (wert != "1")
                Fehler(c, "ein Optionsfeld wird mit 1 gewählt; abgewählt wird es, indem ein anderes seiner Gruppe gewählt wird");
            Wählen(static_cast<OptionButton&>(c));
            return;
        case Art::ComboBox:
            Auswählen(static_cast<ComboBox&>(c), wert);
            return;
        case Art::CommandButton:
            if (!wert.empty() && wert != "1") Fehler(c, "eine Schaltfläche wird mit leerem Wert oder 1 geklickt");
            Klicken(static_cast<CommandButton&>(c));
            return;
        case Art::Grid:
            Fehler(c, "bitte eine Zelle nennen: " + c.Name() + "(Zeile,Spalte)=WERT");
        default:
            Fehler(c, "dieses Steuerelement lässt sich nicht setzen");
    }
}

void Setzen(Form& form, std::string_view anweisung) {
    const auto [ziel, wert] = AnweisungLesen(anweisung);
    Setzen(form, ziel.Text(), wert);
}

void Klicken(Form& form, std::string_view zieltext) {
    Control& c = SteuerelementFinden(form, ZielLesen(zieltext));
    auto* knopf = dynamic_cast<CommandButton*>(&c);
    if (!knopf) Fehler(c, "ist keine Schaltfläche");
    Klicken(*knopf);
}

void TasteDrücken(Form& form, std::string_view zieltext, int code, int shift) {
    Control& c = SteuerelementFinden(form, ZielLesen(zieltext));
    if (auto* grid = dynamic_cast<Grid*>(&c)) {
        TasteDrücken(*grid, code, shift);
        return;
    }
    auto* feld = dynamic_cast<TextFeld*>(&c);
    if (!feld) Fehler(c, "nimmt keine Tasten");
    Prüfen(*feld);
    feld->SetFocus();
    if (feld->Tippen(static_cast<char32_t>(code)) == Tastenergebnis::Abgelehnt) Fehler(c, "nimmt die Taste nicht an");
}

}  // namespace vk::ui
