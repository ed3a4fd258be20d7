// A headless form: caption, icon, window handle, placement, its controls by name, the focus, and the
// load / show / hide / unload lifecycle that runs the form's Form_Load and Form_Unload.
//
// A dialog declares its controls as members (each registers itself by name with the form, or with a
// frame on it) and wires its handlers once, in its constructor:
//
//     class frmKat5 : public vk::ui::Form {
//     public:
//         frmKat5();
//         vk::ui::CheckBox chkOrt{*this, "chkOrt"};
//         vk::ui::MaskEdBox mskMehrfach{*this, "mskMehrfach"};
//         vk::ui::CommandButton CommandEnde{*this, "CommandEnde"};
//     protected:
//         void Form_Load() override;
//         void CommandEnde_Click();
//     };
//
//     frmKat5::frmKat5() : Form("frmKat5") {
//         mskMehrfach.GotFocus.Verbinden([this] { vk::AllesMarkieren(mskMehrfach); });
//         CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
//     }
//
// and is used through vk::ui::Formen::Instanz<frmKat5>().Show().
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/schnittstellen.h"
#include "platform/controls/control.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/symbole.h"

namespace vk::ui {

class Form : public Control, public vk::FensterForm {
public:
    explicit Form(std::string name);
    ~Form() override;

    Art Kind() const override { return Art::Form; }
    bool KannFokus() const override { return false; }

    // vk::FensterForm: name, window state (0 normal, 1 minimised, 2 maximised), top and left in twips.
    std::string Name() const override { return Control::Name(); }
    int WindowState() const override { return windowState_; }
    void SetWindowState(int state) override;
    float Top() const override { return static_cast<float>(Control::Top()); }
    void SetTop(float top) override;
    float Left() const override { return static_cast<float>(Control::Left()); }
    void SetLeft(float left) override;

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);
    const Bild& Icon() const noexcept { return icon_; }
    void SetIcon(Bild icon);
    // The window handle while the form is loaded, else 0.
    Fenster hWnd() const noexcept { return hwnd_; }

    // Lifecycle. Load runs Form_Load once; Show loads when needed, makes the form visible and brings it
    // forward; Hide only hides; Unload runs Form_Unload and discards the instance (see Formen).
    bool Geladen() const noexcept { return geladen_; }
    void Load();
    void Show();
    void Hide();
    void Unload();
    // Makes the form a child window of the host window with the MDI-child style and a raised edge.
    void InHostEinbetten(Fenster host);

    // The controls in declaration order, and one by name (and index in a control array); nullptr when
    // there is none. Names are matched exactly, else ignoring ASCII case.
    const std::vector<Control*>& Controls() const noexcept { return controls_; }
    Control* Finden(std::string_view name, int index = -1) const;

    // The control with the focus (nullptr for none). Moving the focus raises LostFocus of the old
    // control (ActiveControl already names the new one) and then GotFocus of the new one. A control
    // that is disabled, hidden or cannot take the focus gives run-time error 5.
    Control* ActiveControl() const noexcept { return aktiv_; }
    void FokusSetzen(Control* neu);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    friend class Control;
    friend class Formen;
    void Registrieren(Control& control);
    void Abmelden(Control& control);

    std::string caption_;
    Bild icon_;
    int windowState_ = 0;
    Fenster hwnd_ = 0;
    bool geladen_ = false;
    bool verworfen_ = false;
    std::vector<Control*> controls_;
    Control* aktiv_ = nullptr;
};

}  // namespace vk::ui
