// Category 5, fees by time spent: a grid of staff classes with their hours and vehicles with their
// kilometres, priced by fixed rates, and optionally the cadastral documents as a fixed expense.
#pragma once

#include "categories/Kategoriedialog.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/grid.h"

namespace vk {

class frmKat6 : public Kategoriedialog {
public:
    frmKat6();

    ui::Label Label1{*this, "Label1"};
    ui::Grid GridGebühren{*this, "GridGebühren"};
    ui::ComboBox comKategorie{*this, "comKategorie"};
    ui::CheckBox unterlagenCheck{*this, "unterlagenCheck"};
    ui::CommandButton CommandLöschen{*this, "CommandLöschen"};
    ui::CommandButton CommandNeu{*this, "CommandNeu"};

    void NeuWerte();
    // Prices the current row: rate, rounded quantity and amount.
    void ÜbernehmenWerte();
    // Prices row r: the rate of its class, its hours up to the next half hour or whole kilometres.
    void ZeilePreisen(int r);
    // Prices every row again, each as ZeilePreisen does.
    void AlleZeilenPreisen();

protected:
    void Form_Load() override;

private:
    void TabelleEinlesen();
    void GridEinrichten();
    void TestComboEdit(int row, int col);
    void CommandEnde_Click();
};

}  // namespace vk
