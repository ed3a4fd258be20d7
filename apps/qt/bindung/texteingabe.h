// Text boxes and masked inputs as QLineEdit. The person's keys are not edited by Qt: each typed
// character (and Backspace, Delete, Enter) goes to the control's key-press path, where the form's
// handlers may change or discard it and the mask ("##", "####") may refuse it; a paste goes in whole,
// as a value given with --set does. Typing or pasting replaces the selection. The line then shows the
// control's text and selection. Focus in and out reach GotFocus and LostFocus.
#pragma once

#include <QLineEdit>
#include <memory>

#include "bindung/bindung.h"
#include "platform/controls/textfeld.h"

namespace vkhost {

class Texteingabe : public QLineEdit {
public:
    explicit Texteingabe(QWidget* eltern);
    void AnkerSetzen(std::shared_ptr<Anker> anker);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    vk::ui::TextFeld* Feld() const;
    // Types the characters one by one; the widget's caret or selection is the control's first, so
    // that what is typed replaces what is selected.
    void Tippen(const std::u32string& zeichen);
    // Pastes the text whole over the selection (as --set gives a value: no key press per character).
    void Einfügen(const QString& text);
    // The widget's selection (or caret) handed to the control, in characters.
    void AuswahlÜbergeben(vk::ui::TextFeld& feld);

    std::shared_ptr<Anker> anker_;
};

std::unique_ptr<SteuerelementBindung> TextfeldBinden(vk::ui::TextFeld& feld, Texteingabe* widget);

}  // namespace vkhost
