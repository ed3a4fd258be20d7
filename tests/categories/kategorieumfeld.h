// Test fixture for the category dialogs: the invoice fixture, headless services reset, no form
// loaded; a dialog is opened as the host opens it, through VK::Show.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "common/nachricht.h"
#include "component/vk.h"
#include "document/G_frmTabelle.h"
#include "document/rechnungsumfeld.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "platform/controls/wiedergabe.h"

namespace vktest {

using Zellen = std::vector<std::string>;

// A person's inputs in order, each "NAME=VALUE" as `vk apply --set` takes it.
template <class Anweisungen = std::initializer_list<const char*>>
void Eingeben(vk::ui::Form& form, const Anweisungen& anweisungen) {
    for (const auto& a : anweisungen) vk::ui::Setzen(form, a);
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

    // The cell texts of a grid row.
    static Zellen Zeile(const vk::ui::Grid& grid, int zeile) {
        Zellen z;
        for (int c = 1; c <= grid.Cols(); ++c) z.push_back(grid.TextMatrix(zeile, c));
        return z;
    }
};

}  // namespace vktest
