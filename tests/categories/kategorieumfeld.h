// Test fixture for the category dialogs: the invoice fixture, headless services reset, no form
// loaded; a dialog is opened as the host opens it, through VK::Show.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "common/nachricht.h"
#include "component/vk.h"
#include "document/G_frmTabelle.h"
#include "document/rechnungsumfeld.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "platform/controls/wiedergabe.h"
#include "platform/word/application.h"

namespace vktest {

using Zellen = std::vector<std::string>;

// A person's inputs in order, each "NAME=VALUE" as `vk apply --set` takes it.
template <class Anweisungen = std::initializer_list<const char*>>
void Eingeben(vk::ui::Form& form, const Anweisungen& anweisungen) {
    for (const auto& a : anweisungen) vk::ui::Setzen(form, a);
}

// What the controls named show, as `vk apply --set` names them: a field's or combo box's text, a
// label's caption, a box's 0 or 1, a grid cell "NAME(r,c)"; "NAME.Visible", "NAME.Enabled" give 0 or
// 1, "NAME.Rows" a grid's row count.
inline std::vector<std::string> Zeigt(vk::ui::Form& form, std::initializer_list<std::string_view> namen) {
    std::vector<std::string> werte;
    for (std::string_view n : namen) {
        const std::size_t punkt = n.find('.');
        const vk::ui::Ziel ziel = vk::ui::ZielLesen(n.substr(0, punkt));
        vk::ui::Control& c = vk::ui::SteuerelementFinden(form, ziel);
        const std::string_view was = punkt == n.npos ? "" : n.substr(punkt + 1);
        if (was == "Visible" || was == "Enabled") werte.push_back((was == "Visible" ? c.Visible() : c.Enabled()) ? "1" : "0");
        else if (auto* g = dynamic_cast<vk::ui::Grid*>(&c))
            werte.push_back(was == "Rows" ? std::to_string(g->Rows()) : g->TextMatrix(ziel.indizes[0], ziel.indizes[1]));
        else if (auto* t = dynamic_cast<vk::ui::TextFeld*>(&c)) werte.push_back(t->Text());
        else if (auto* l = dynamic_cast<vk::ui::Label*>(&c)) werte.push_back(l->Caption());
        else if (auto* b = dynamic_cast<vk::ui::ComboBox*>(&c)) werte.push_back(b->Text());
        else if (auto* k = dynamic_cast<vk::ui::CheckBox*>(&c)) werte.push_back(std::to_string(k->Value()));
        else if (auto* o = dynamic_cast<vk::ui::OptionButton*>(&c)) werte.push_back(o->Value() ? "1" : "0");
    }
    return werte;
}

class Kategorieumfeld : public Rechnungsumfeld {
protected:
    void SetUp() override {
        Rechnungsumfeld::SetUp();
        vk::ui::Formen::AlleEntladen();
        vk::ui::StandardBildschirm().Zurücksetzen();
        vk::ui::StandardFensterverwaltung().Zurücksetzen();
        vk::StandardNachrichten().Zuruecksetzen();
        RechnungWaehlen(1);
        // The user edits the category's existing table when the table-choice dialog offers one.
        vk::G_frmTabelle::ModalHandlerSetzen([](vk::G_frmTabelle& f) {
            if (f.optTabelle(0).Enabled()) f.optTabelle(0).SetValue(true);
            f.cmdEnde.Click.Auslösen();
        });
    }
    void TearDown() override {
        vk::G_frmTabelle::ModalHandlerSetzen(nullptr);
        vk::ui::Formen::AlleEntladen();
        Rechnungsumfeld::TearDown();
    }

    // Opens category `index` as the host does; the settings the host would give stay as set here.
    template <class T>
    T& Oeffnen(std::int16_t index) {
        vk::VK komponente;
        komponente.Show(index, vk::Kontext().Rechnung, 0x4D);
        return vk::ui::Formen::Instanz<T>();
    }

    template <class T>
    static bool Offen() {
        T* form = vk::ui::Formen::Vorhanden<T>();
        return form && form->Geladen();
    }

    // Confirms the dialog with "&OK" and returns the rows of the fee table `schluessel` it wrote.
    Zellen Bestaetigen(vk::ui::Form& form, const std::string& schluessel) {
        vk::ui::Klicken(form, "CommandEnde");
        return Zeilen(Tabelle(schluessel));
    }

    // Each cell's width in cm, to the hundredth.
    static void Breiten(vk::word::Table t, std::initializer_list<std::tuple<long, long, double>> soll) {
        for (auto [r, c, cm] : soll)
            EXPECT_NEAR(vk::word::Application::PointsToCentimeters(t.Cell(r, c).Width()), cm, 0.005) << r << "," << c;
    }

    // The cell texts of a grid row.
    static Zellen Zeile(const vk::ui::Grid& grid, int zeile) {
        Zellen z;
        for (int c = 1; c <= grid.Cols(); ++c) z.push_back(grid.TextMatrix(zeile, c));
        return z;
    }
};

}  // namespace vktest
