// The simple controls: button (caption, picture, Click), frame (a container with a caption),
// label (caption) and image list (pictures by key).
#pragma once

#include <string>

#include "platform/controls/control.h"
#include "platform/controls/symbole.h"

namespace vk::ui {

class CommandButton : public Control {
public:
    CommandButton(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::CommandButton; }

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);
    const Bild& Picture() const noexcept { return picture_; }
    void SetPicture(Bild bild);

    Ereignis<> Click;

private:
    std::string caption_;
    Bild picture_;
};

class Frame : public Control {
public:
    Frame(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::Frame; }
    bool KannFokus() const override { return false; }

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);

private:
    std::string caption_;
};

class Label : public Control {
public:
    Label(Control& parent, std::string name, int index = -1);
    Art Kind() const override { return Art::Label; }
    bool KannFokus() const override { return false; }

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);

private:
    std::string caption_;
};

// An image list: its pictures come from the icon service under the list's name.
class ImageList : public Control {
public:
    ImageList(Control& parent, std::string name);
    Art Kind() const override { return Art::ImageList; }
    bool KannFokus() const override { return false; }

    Bild ListImage(const std::string& schlüssel) const;  // unknown key: run-time error 35601
};

}  // namespace vk::ui
