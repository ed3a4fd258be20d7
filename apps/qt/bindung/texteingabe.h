// Text boxes and masked inputs as QLineEdit. The person's keys are not edited by Qt: each typed
// character (and Backspace, Delete, Enter, a paste) goes to the control's key-press path, where the
// form's handlers may change or discard it and the mask ("##", "####") may refuse it; the line then
// shows the control's text and selection. Focus in and out reach GotFocus and LostFocus.
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
    // Types the characters one by one; the widget's caret or selection is the control's first.
    void Tippen(const std::u32string& zeichen);

    std::shared_ptr<Anker> anker_;
};

std::unique_ptr<SteuerelementBindung> TextfeldBinden(vk::ui::TextFeld& feld, Texteingabe* widget);

}  // namespace vkhost
