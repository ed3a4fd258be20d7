// Category 1, boundary determination and marking: part A by number of points, part B per point by
// land value, the kind of work, the client's share, the marking and the VAT-free expenses; a live
// fee preview and one fee table, read back when the dialog is opened again.
#pragma once

#include "categories/Grenzfeststellung.h"
#include "categories/Kategoriedialog.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/optionbutton.h"
#include "platform/controls/textfeld.h"

namespace vk {

class frmKat2 : public Kategoriedialog {
public:
    frmKat2();

    ui::Frame fraDaten{*this, "fraDaten"};
    ui::Label lblFlst{fraDaten, "lblFlst"};
    ui::TextBox TextboxFlst{fraDaten, "TextboxFlst"};
    ui::Label lblWert{fraDaten, "lblWert"};
    ui::MaskEdBox MaskEdBoxWert{fraDaten, "MaskEdBoxWert"};
    ui::Label lblAnteil{fraDaten, "lblAnteil"};
    ui::MaskEdBox MaskEdBoxAnteil{fraDaten, "MaskEdBoxAnteil"};
    ui::Label lblPunkte{fraDaten, "lblPunkte"};
    ui::MaskEdBox msk100{fraDaten, "msk100"};
    ui::Frame fraArt{*this, "fraArt"};
    ui::OptionGruppe optArt{fraArt, "optArt", 3};
    ui::CheckBox chkVUnterlagen{*this, "chkVUnterlagen"};
    ui::CheckBox chkÜbernahme{*this, "chkÜbernahme"};
    ui::Label lblGebührText{*this, "lblGebührText"};
    ui::Label lblGebühr{*this, "lblGebühr"};

    // The preview: the fee (no marking, no expenses) of the inputs, width 9 with 2 decimals.
    void GebührBerechnen();

protected:
    void Form_Load() override;

private:
    void NeuWerte();
    void TabelleEinlesen();
    void optArt_Click(int index);
    void EingabenVerbinden();
    void CommandEnde_Click();
    Grenzart Art() const;
};

}  // namespace vk
