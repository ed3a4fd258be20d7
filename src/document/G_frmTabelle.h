// The table-choice dialog: which existing fee table of a key to edit, a plain table at the cursor,
// or a new one. Shown modally; it closes (hides) on its OK button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/einfache.h"
#include "platform/controls/form.h"
#include "platform/controls/optionbutton.h"

namespace vk {

class G_frmTabelle : public ui::Form {
public:
    G_frmTabelle();

    ui::Frame Frame1{*this, "Frame1"};
    ui::OptionGruppe optNeuGruppe{Frame1, "optNeu", 1};
    ui::OptionGruppe optTabelle{Frame1, "optTabelle", 5};
    ui::OptionGruppe optAktTabelleGruppe{Frame1, "optAktTabelle", 1};
    ui::CommandButton cmdEnde{*this, "cmdEnde"};
    ui::OptionButton& optNeu = optNeuGruppe(0);
    ui::OptionButton& optAktTabelle = optAktTabelleGruppe(0);

    // What the existing tables offered hold (TabellenBeschreibung), in the order of optTabelle, for a
    // host to show beside the options; set while the dialog is prepared.
    std::vector<std::string> eintragsTexte;

    // Shows the dialog modally: the modal handler (a person at a window, a script, a test) makes
    // the choice and presses cmdEnde. Without a handler the initial choice stands and OK is pressed.
    void ShowModal();

    using ModalHandler = std::function<void(G_frmTabelle&)>;
    // Sets the handler (empty: the headless default) and returns the one it replaces.
    static ModalHandler ModalHandlerSetzen(ModalHandler handler);

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

}  // namespace vk
