// The base of every headless control: name (and index in a control array), parent, enabled,
// visible, geometry in twips, focus events and the change notification a GUI binding listens to.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/ereignis.h"

namespace vk::ui {

class Form;

// The kinds of controls a form is made of.
enum class Art { Form, Grid, MaskEdBox, TextBox, CheckBox, OptionButton, Frame, ComboBox, CommandButton, Label, ImageList };

// Position and size in twips, relative to the form's client area.
struct Geometrie {
    int links = 0;
    int oben = 0;
    int breite = 0;
    int höhe = 0;
    bool operator==(const Geometrie&) const = default;
};

class Control {
public:
    // A control of a form or of a frame on a form; registers itself with the form by name (and index
    // for a control array, -1 for none).
    Control(Control& parent, std::string name, int index = -1);
    virtual ~Control();  // a control that goes before its form leaves the form's name table
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual Art Kind() const = 0;
    const std::string& Name() const noexcept { return name_; }
    int Index() const noexcept { return index_; }
    std::string VollerName() const;  // "optArt(1)", "CommandEnde"
    Control* Parent() const noexcept { return parent_; }
    Form& ParentForm() const noexcept { return *form_; }

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    // Enabled and visible, and so is every container up to the form: a person can operate it.
    bool Bedienbar() const;

    int Left() const noexcept { return geometrie_.links; }
    int Top() const noexcept { return geometrie_.oben; }
    int Width() const noexcept { return geometrie_.breite; }
    int Height() const noexcept { return geometrie_.höhe; }
    void SetLeft(int twips);
    void SetTop(int twips);
    void SetWidth(int twips);
    void SetHeight(int twips);
    void Move(int links, int oben, int breite, int höhe);
    const Geometrie& Lage() const noexcept { return geometrie_; }
    void SetLage(const Geometrie& g);

    // Focus: a control that can take the focus raises GotFocus and LostFocus as the form's focus moves.
    virtual bool KannFokus() const { return true; }
    bool HatFokus() const;
    void SetFocus();
    Ereignis<> GotFocus;
    Ereignis<> LostFocus;

    // Change notification: every observer runs after the visible state of the control changed.
    using Beobachter = std::function<void(const Control&)>;
    int Beobachten(Beobachter beobachter);
    void NichtMehrBeobachten(int nummer);

protected:
    friend class Form;
    // Runs when the focus leaves the control, before its LostFocus handlers (a grid finishes its edit).
    virtual void BeimFokusverlust() {}

    // The form itself: no parent, its own form.
    Control(std::string name, Form& form);
    void Geändert();

private:
    std::string name_;
    int index_ = -1;
    Control* parent_ = nullptr;
    Form* form_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    Geometrie geometrie_;
    std::vector<std::pair<int, Beobachter>> beobachter_;
    int letzterBeobachter_ = 0;
};

}  // namespace vk::ui
