// Category 0, parcel formation by division: positions "10.1" (division survey with boundary points)
// and "10.3" (division from the cadastral records), priced by total area and average land value,
// the number of parcels, the boundary points and the client's share, with the VAT-free expenses
// 9.1 and 14.1. Parcels are listed one by one in the grid, or entered as totals.
#pragma once

#include "categories/Kategoriedialog.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/grid.h"
#include "platform/controls/optionbutton.h"
#include "platform/controls/textfeld.h"

namespace vk {

class frmKat1 : public Kategoriedialog {
public:
    frmKat1();

    ui::Label Label1{*this, "Label1"};
    ui::Label lblArt{*this, "lblArt"};
    ui::ComboBox comArt{*this, "comArt"};
    ui::Label lblGrenzpunkte{*this, "lblGrenzpunkte"};
    ui::MaskEdBox MaskEdBoxGrenzpunkte{*this, "MaskEdBoxGrenzpunkte"};
    ui::Label lblAnteil{*this, "lblAnteil"};
    ui::MaskEdBox MaskEdBoxAnteil{*this, "MaskEdBoxAnteil"};

    ui::Frame fraEingabe{*this, "fraEingabe"};
    ui::OptionGruppe optJa{fraEingabe, "optJa", 2};  // (0) parcels one by one, (1) totals

    ui::Grid GridGebühren1{*this, "GridGebühren1"};
    ui::ComboBox ComboBox4{*this, "ComboBox4"};
    ui::CommandButton CommandNeu{*this, "CommandNeu"};
    ui::CommandButton CommandLöschen{*this, "CommandLöschen"};

    ui::Frame fraAnzahl{*this, "fraAnzahl"};
    ui::MaskEdBox MaskEdBoxFläche{fraAnzahl, "MaskEdBoxFläche"};
    ui::MaskEdBox MaskEdBoxWert{fraAnzahl, "MaskEdBoxWert"};
    ui::MaskEdBox mskWert{fraAnzahl, "mskWert"};
    ui::TextBox txtZusammenZahlen{fraAnzahl, "txtZusammenZahlen"};
    ui::TextBox txtAnzahl{fraAnzahl, "txtAnzahl"};
    ui::Label lblFlächeText{fraAnzahl, "lblFlächeText"};
    ui::Label lblWertText{fraAnzahl, "lblWertText"};
    ui::Label lblGesamtwertText{fraAnzahl, "lblGesamtwertText"};
    ui::Label lblZusammenZahlenText{fraAnzahl, "lblZusammenZahlenText"};
    ui::Label lblAnzahlText{fraAnzahl, "lblAnzahlText"};

    ui::Frame Frame3{*this, "Frame3"};
    ui::Label lblGebühr{Frame3, "lblGebühr"};
    ui::Label lblWert{Frame3, "lblWert"};
    ui::Label lblFläche{Frame3, "lblFläche"};
    ui::TextBox txtzahlen{Frame3, "txtzahlen"};
    ui::Label lblGebührText{Frame3, "lblGebührText"};
    ui::Label lblErgebnisWertText{Frame3, "lblErgebnisWertText"};
    ui::Label lblErgebnisFlächeText{Frame3, "lblErgebnisFlächeText"};
    ui::Label lblZahlenText{Frame3, "lblZahlenText"};

    ui::CheckBox chkUnterlagen{*this, "chkUnterlagen"};
    ui::CheckBox chkÜbernahme{*this, "chkÜbernahme"};

    // Fills the grid's current row with the job's defaults.
    void NeuWerte();
    // The fee preview in lblGebühr (and the totals labels in list mode).
    void Berechnen();
    void ÜbernehmenWerte() { Berechnen(); }
    // Totals entry: the result labels from the total fields, then the preview.
    void OhneFlurstücke();

    bool Listenmodus() const { return optJa(0).Value(); }

protected:
    void Form_Load() override;

private:
    void Verdrahten();
    void GridVerdrahten();
    // The inputs of a new table: one parcel of the job in the grid, the job's points and totals.
    void Standardwerte();
    void TabelleEinlesen();
    void GridEinrichten();
    void TestComboEdit(int row, int col);
    void FlächeVerlassen();
    void CommandEnde_Click();
    // The area the client pays for in totals entry (an empty field is the whole area).
    double ZuZahlendeFläche(double gesamt) const;

    bool imBerechnen_ = false;
};

}  // namespace vk
