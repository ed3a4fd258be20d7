// Text inputs: the masked edit box and the text box. Both keep a text with a selection (vk::TextEingabe)
// and take typed characters the way a person types them: key press first (a handler may change the
// character or set it to 0 to discard it), then the character replaces the selection and Change follows.
#pragma once

#include <string>

#include "common/schnittstellen.h"
#include "platform/controls/control.h"

namespace vk::ui {

// Key and character codes the dialogs use.
namespace taste {
inline constexpr int Rücktaste = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Links = 37;
inline constexpr int Oben = 38;
inline constexpr int Rechts = 39;
inline constexpr int Unten = 40;
inline constexpr int Entf = 46;
}  // namespace taste

// What became of a typed character.
enum class Tastenergebnis {
    Angenommen,  // taken into the text (or a control key the field acted on)
    Verworfen,   // a key-press handler set the code to 0
    Abgelehnt,   // the field refused it: read-only, mask, maximum length
};

class TextFeld : public Control, public vk::TextEingabe {
public:
    TextFeld(Control& parent, std::string name, int index = -1);

    // vk::TextEingabe. Setting the text puts the caret at 0 and raises Change when the text differs.
    // Selection start and length are in characters and clamped to the text.
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    int SelStart() const override { return selStart_; }
    void SetSelStart(int start) override;
    int SelLength() const override { return selLength_; }
    void SetSelLength(int länge) override;
    std::string SelText() const;

    int MaxLength() const noexcept { return maxLength_; }  // 0: no limit
    void SetMaxLength(int länge);
    bool Locked() const noexcept { return locked_; }  // read-only for typing
    void SetLocked(bool locked);

    // One typed character: KeyPress, then Backspace deletes, Enter and other control characters leave
    // the text alone, any other character replaces the selection and Change follows.
    Tastenergebnis Tippen(char32_t zeichen);
    // A text given whole (pasted, or set by a script): it replaces the selection in one step, the
    // mask and the maximum length judge the result, Change follows once. No KeyPress: what a key
    // handler does to keys typed one by one ("." typed in an amount jumps to the decimals) is not
    // done to a whole text, which the field's reader takes as the number text it is.
    Tastenergebnis Einfügen(std::string_view text);

    Ereignis<> Change;
    Ereignis<int&> KeyPress;  // character code by reference; 0 discards the key

protected:
    // Whether the text a typed character would give is acceptable (masks).
    virtual bool Zulässig(const std::string& neuerText) const;

private:
    void Übernehmen(std::string text, int caret);

    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    int maxLength_ = 0;
    bool locked_ = false;
};

// Masked edit box: mask "" (any text) or "#" repeated (that many digits; blank is the prompt character
// and is allowed too); typing is also limited to MaxLength characters (64 by default).
class MaskEdBox : public TextFeld {
public:
    MaskEdBox(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::MaskEdBox; }

    const std::string& Mask() const noexcept { return mask_; }
    void SetMask(std::string mask);  // another mask character is run-time error 5
    char PromptChar() const noexcept { return ' '; }

protected:
    bool Zulässig(const std::string& neuerText) const override;

private:
    std::string mask_;
};

class TextBox : public TextFeld {
public:
    using TextFeld::TextFeld;
    Art Kind() const override { return Art::TextBox; }
};

}  // namespace vk::ui
