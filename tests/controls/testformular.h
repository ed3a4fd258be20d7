// A small form of the kind every category dialog is: a masked amount field with focus, change and key
// handlers, a count field, a check box, an option group in a frame, a grid with an in-cell combo editor,
// edit-end and key-down handlers, and buttons. Its handlers write what ran into `protokoll`.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fehler_hilfe.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"  // every control type

namespace vktest {

inline constexpr vk::ui::Fenster kHostFenster = 0x77;

class frmTest : public vk::ui::Form {
public:
    frmTest();

    vk::ui::MaskEdBox MaskEdBoxWert{*this, "MaskEdBoxWert"};
    vk::ui::MaskEdBox mskAnzahl{*this, "mskAnzahl"};
    vk::ui::TextBox txtZahlen{*this, "txtZahlen"};
    vk::ui::CheckBox chkÜbernahme{*this, "chkÜbernahme"};
    vk::ui::Frame fraArt{*this, "fraArt"};
    vk::ui::OptionGruppe optArt{fraArt, "optArt", 3};
    vk::ui::Grid GridGebühren{*this, "GridGebühren"};
    vk::ui::ComboBox ComboBox4{*this, "ComboBox4"};
    vk::ui::CommandButton CommandNeu{*this, "CommandNeu"};
    vk::ui::CommandButton CommandLöschen{*this, "CommandLöschen"};
    vk::ui::CommandButton CommandEnde{*this, "CommandEnde"};
    vk::ui::Label lblVersion{*this, "lblVersion"};
    vk::ui::Label lblGebühr{*this, "lblGebühr"};

    std::vector<std::string> protokoll;
    int ladungen = 0;
    int* entladungen = nullptr;  // counts Form_Unload runs beyond the instance's life

    void NeuWerte(bool neueZeile = false);  // the default values, in a new row at the current one
    void Berechnen();
    void TestComboEdit(int row, int col);

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

// A second form type, for one instance per type.
class frmZweit : public vk::ui::Form {
public:
    frmZweit() : vk::ui::Form("frmZweit") {}
    vk::ui::TextBox txtName{*this, "txtName"};
};

// Every test starts with no form loaded, the headless services reset and frmTest shown.
class FormularTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    frmTest& form() { return vk::ui::Formen::Instanz<frmTest>(); }
    // The message of the error replaying "NAME=VALUE" on the form gives ("" when it succeeds).
    std::string Fehler(std::string_view anweisung) {
        return FehlerVon([&] { vk::ui::Setzen(form(), anweisung); }).text;
    }
};

}  // namespace vktest
