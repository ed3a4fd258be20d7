#include "platform/controls/einfache.h"

#include <utility>

namespace vk::ui {

CommandButton::CommandButton(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void CommandButton::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Geändert();
}

void CommandButton::SetPicture(Bild bild) {
    if (picture_ == bild) return;
    picture_ = std::move(bild);
    Geändert();
}

Frame::Frame(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void Frame::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Geändert();
}

Label::Label(Control& parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void Label::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Geändert();
}

ImageList::ImageList(Control& parent, std::string name) : Control(parent, std::move(name)) { SetVisible(false); }

Bild ImageList::ListImage(const std::string& schlüssel) const { return Symbole().ListenBild(Name(), schlüssel); }

}  // namespace vk::ui
