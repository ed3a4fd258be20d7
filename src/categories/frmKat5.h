// Category 4, boundary certificates: one fixed fee (with a survey, with or without an on-site
// inspection), multiplied by the number of additional copies.
#pragma once

#include "categories/Kategoriedialog.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/textfeld.h"

namespace vk {

class frmKat5 : public Kategoriedialog {
public:
    frmKat5();

    ui::Label Label1{*this, "Label1"};
    ui::CheckBox chkOrt{*this, "chkOrt"};
    ui::CheckBox chkMitVermessung{*this, "chkMitVermessung"};
    ui::Label Label2{*this, "Label2"};
    ui::MaskEdBox mskMehrfach{*this, "mskMehrfach"};

protected:
    void Form_Load() override;

private:
    void TabelleEinlesen();
    void CommandEnde_Click();
};

// The position of a certificate: cell text (two paragraphs) and fee.
struct Grenzbescheinigungsposition {
    const char* text;
    double gebühr;
};
Grenzbescheinigungsposition GrenzbescheinigungsPosition(bool mitVermessung, bool mitOrtsbesichtigung);

}  // namespace vk
