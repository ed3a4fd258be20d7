#include "platform/controls/textfeld.h"

#include <algorithm>
#include <utility>

#include "common/fehler.h"
#include "platform/controls/utf8.h"

namespace vk::ui {

TextFeld::TextFeld(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void TextFeld::SetText(const std::string& text) {
    const bool anders = text != text_;
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
    Geändert();
    if (anders) Change.Auslösen();
}

void TextFeld::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, utf8::Länge(text_));
    selLength_ = 0;
    Geändert();
}

void TextFeld::SetSelLength(int länge) {
    selLength_ = std::clamp(länge, 0, utf8::Länge(text_) - selStart_);
    Geändert();
}

std::string TextFeld::SelText() const { return utf8::Teil(text_, selStart_, selLength_); }

void TextFeld::SetMaxLength(int länge) {
    if (länge < 0) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, VollerName() + ": invalid MaxLength");
    maxLength_ = länge;
}

void TextFeld::SetLocked(bool locked) {
    if (locked_ == locked) return;
    locked_ = locked;
    Geändert();
}

bool TextFeld::Zulässig(const std::string& neuerText) const {
    return maxLength_ == 0 || utf8::Länge(neuerText) <= maxLength_;
}

Tastenergebnis TextFeld::Tippen(char32_t zeichen) {
    int code = static_cast<int>(zeichen);
    KeyPress.Auslösen(code);
    if (code == 0) return Tastenergebnis::Verworfen;
    if (code == taste::Rücktaste) {
        if (locked_) return Tastenergebnis::Abgelehnt;
        int von = selStart_, anzahl = selLength_;
        if (anzahl == 0) {
            if (von == 0) return Tastenergebnis::Angenommen;
            von -= 1;
            anzahl = 1;
        }
        Übernehmen(utf8::Teil(text_, 0, von) + utf8::Teil(text_, von + anzahl, utf8::Länge(text_)), von);
        return Tastenergebnis::Angenommen;
    }
    if (code < 32) return Tastenergebnis::Angenommen;
    if (locked_) return Tastenergebnis::Abgelehnt;
    std::string neu = utf8::Teil(text_, 0, selStart_) + utf8::Zeichen(static_cast<char32_t>(code)) +
                      utf8::Teil(text_, selStart_ + selLength_, utf8::Länge(text_));
    if (!Zulässig(neu)) return Tastenergebnis::Abgelehnt;
    Übernehmen(std::move(neu), selStart_ + 1);
    return Tastenergebnis::Angenommen;
}

Tastenergebnis TextFeld::Einfügen(std::string_view text) {
    if (locked_) return Tastenergebnis::Abgelehnt;
    std::string neu = utf8::Teil(text_, 0, selStart_) + std::string(text) +
                      utf8::Teil(text_, selStart_ + selLength_, utf8::Länge(text_));
    if (!Zulässig(neu)) return Tastenergebnis::Abgelehnt;
    if (neu == text_) return Tastenergebnis::Angenommen;
    Übernehmen(std::move(neu), selStart_ + utf8::Länge(text));
    return Tastenergebnis::Angenommen;
}

void TextFeld::Übernehmen(std::string text, int caret) {
    text_ = std::move(text);
    selStart_ = caret;
    selLength_ = 0;
    Geändert();
    Change.Auslösen();
}

MaskEdBox::MaskEdBox(Control& parent, std::string name, int index) : TextFeld(parent, std::move(name), index) {
    SetMaxLength(64);
}

void MaskEdBox::SetMask(std::string mask) {
    if (mask.find_first_not_of('#') != std::string::npos)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, VollerName() + ": unsupported mask '" + mask + "'");
    mask_ = std::move(mask);
    Geändert();
}

bool MaskEdBox::Zulässig(const std::string& neuerText) const {
    if (!TextFeld::Zulässig(neuerText)) return false;
    if (mask_.empty()) return true;
    if (neuerText.size() > mask_.size()) return false;
    return std::all_of(neuerText.begin(), neuerText.end(), [](char c) { return c == ' ' || (c >= '0' && c <= '9'); });
}

}  // namespace vk::ui
