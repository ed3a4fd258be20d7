// Category 3, elongated installations: one grid row per section (category, length, side, separated
// parcels), area calculations and the VAT-free expenses; the fee table "VK_LP_08_4", and the
// follow-on table "VK_LP_08_4_Ein" found after it.
#pragma once

#include <vector>

#include "categories/Kategoriedialog.h"
#include "categories/Langanlage.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/grid.h"
#include "platform/controls/textfeld.h"

namespace vk {

class frmKat4 : public Kategoriedialog {
public:
    frmKat4();

    ui::Grid GridGebühren{*this, "GridGebühren"};
    ui::ComboBox comKategorie{*this, "comKategorie"};
    ui::ComboBox comSeitig{*this, "comSeitig"};
    ui::Label lblFlächen{*this, "lblFlächen"};
    ui::MaskEdBox mskFlächen{*this, "mskFlächen"};
    ui::CheckBox chkVUnterlagen{*this, "chkVUnterlagen"};
    ui::CheckBox chkÜbernahme{*this, "chkÜbernahme"};
    ui::CommandButton CommandNeu{*this, "CommandNeu"};
    ui::CommandButton CommandLöschen{*this, "CommandLöschen"};

    // Defaults of the current grid row: the parcel, "II", the job's axis length, "Seite 1", no parcels.
    void NeuWerte();
    // The grid rows as sections, and the fee they and the area calculations come to.
    std::vector<Abschnitt> Abschnitte() const;
    Langanlagengebühr Gebühr() const;
    // The follow-on table found on load (Nothing when there is none); this dialog never writes it.
    word::Table& FolgeTabelle() noexcept { return folgeTabelle_; }

protected:
    void Form_Load() override;

private:
    bool TabelleEinlesen();
    void GridEinrichten();
    void TestComboEdit(int row, int col);
    void ComboVerlassen(ui::ComboBox& combo, int spalte);
    void CommandEnde_Click();

    word::Table folgeTabelle_;
};

}  // namespace vk
