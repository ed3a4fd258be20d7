// The small interfaces the helpers work against; the control layer implements them.
#pragma once

#include <string>

namespace vk {

// A text input with a selection (masked edit box, text box).
class TextEingabe {
public:
    virtual ~TextEingabe() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual int SelStart() const = 0;
    virtual void SetSelStart(int start) = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelLength(int laenge) = 0;
};

// A form whose window placement is kept (name, state, top, left).
class FensterForm {
public:
    virtual ~FensterForm() = default;
    virtual std::string Name() const = 0;
    virtual int WindowState() const = 0;  // 0 normal, 1 minimised, 2 maximised
    virtual void SetWindowState(int state) = 0;
    virtual float Top() const = 0;
    virtual void SetTop(float top) = 0;
    virtual float Left() const = 0;
    virtual void SetLeft(float left) = 0;
};

}  // namespace vk
