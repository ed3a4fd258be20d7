// Category 2, building survey: one grid row per building priced by its construction cost, count,
// cadastral update and the client's share; optionally land-use boundaries by break points, the
// survey documents and the take-over fee.
#pragma once

#include "categories/Kategoriedialog.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/grid.h"
#include "platform/controls/textfeld.h"

namespace vk {

class frmKat3 : public Kategoriedialog {
public:
    frmKat3();

    ui::Label Label1{*this, "Label1"};
    ui::Grid GridGebühren{*this, "GridGebühren"};
    ui::CheckBox chkFortführung{*this, "chkFortführung"};
    ui::Label Label2{*this, "Label2"};
    ui::MaskEdBox mskBrechpunkte{*this, "mskBrechpunkte"};
    ui::CheckBox chkVUnterlagen{*this, "chkVUnterlagen"};
    ui::CheckBox chkÜbernahme{*this, "chkÜbernahme"};
    ui::CommandButton CommandLöschen{*this, "CommandLöschen"};
    ui::CommandButton CommandNeu{*this, "CommandNeu"};

    // Fills the current row with the defaults: the parcel, the construction cost, count 1, the whole
    // share and the fee of the cost; column 1 becomes current.
    void NeuWerte();
    // Prices the current row.
    void ÜbernehmenWerte();
    // Prices every row again (after the cadastral update was ticked or cleared).
    void chkFortführung_Click();

protected:
    void Form_Load() override;

private:
    // A grid of one new row with the job's defaults.
    void ErsteZeile();
    void ZeilePreisen(int zeile);
    void TabelleEinlesen();
    void GridEinrichten();
    void GridGebühren_EditEnd();
    void CommandEnde_Click();
    // The table's rows for the current inputs (title and buildings, break points, expenses).
    long Tabellenzeilen() const;
    void ZeilenSchreiben(word::Table& tabelle);
};

}  // namespace vk
