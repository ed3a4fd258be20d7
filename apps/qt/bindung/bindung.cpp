#include "bindung/bindung.h"

namespace vkhost {

SteuerelementBindung::SteuerelementBindung(vk::ui::Control& control, QWidget* widget)
    : anker_(std::make_shared<Anker>(Anker{&control})), widget_(widget) {
    if (widget) widget->setObjectName(QString::fromStdString(control.VollerName()));
    AuchBeobachten(control);
}

SteuerelementBindung::~SteuerelementBindung() {
    if (!anker_->control) return;
    for (auto [c, nummer] : beobachtet_) c->NichtMehrBeobachten(nummer);
    anker_->control = nullptr;
}

void SteuerelementBindung::Lösen() {
    anker_->control = nullptr;
    beobachtet_.clear();
}

void SteuerelementBindung::AuchBeobachten(vk::ui::Control& andere) {
    const int nummer = andere.Beobachten([this](const vk::ui::Control&) { Aktualisieren(); });
    beobachtet_.emplace_back(&andere, nummer);
}

void SteuerelementBindung::Aktualisieren() {
    vk::ui::Control* c = anker_->control;
    if (!c || !widget_ || läuft_) return;
    läuft_ = true;
    try {
        const QSignalBlocker sperre(widget_);
        widget_->setEnabled(c->Enabled());
        widget_->setHidden(!c->Visible());
        Übertragen(*c);
    } catch (const std::exception&) {
        // A control read that fails (a form half-way through a change) leaves the widget as it is;
        // the next change brings it up to date.
    }
    läuft_ = false;
}

}  // namespace vkhost

#include "bindung/einfache.h"
#include "bindung/gittertabelle.h"
#include "bindung/texteingabe.h"

namespace vkhost {

std::unique_ptr<SteuerelementBindung> Binden(vk::ui::Control& c, QWidget* eltern) {
    using vk::ui::Art;
    switch (c.Kind()) {
        case Art::Grid: return GridBinden(static_cast<vk::ui::Grid&>(c), eltern);
        case Art::MaskEdBox:
        case Art::TextBox: return TextfeldBinden(static_cast<vk::ui::TextFeld&>(c), eltern);
        case Art::CheckBox: return KontrollkästchenBinden(static_cast<vk::ui::CheckBox&>(c), eltern);
        case Art::OptionButton: return OptionBinden(static_cast<vk::ui::OptionButton&>(c), eltern);
        case Art::Frame: return RahmenBinden(static_cast<vk::ui::Frame&>(c), eltern);
        case Art::ComboBox: return KombinationsfeldBinden(static_cast<vk::ui::ComboBox&>(c), eltern);
        case Art::CommandButton: return KnopfBinden(static_cast<vk::ui::CommandButton&>(c), eltern);
        case Art::Label: return BeschriftungBinden(static_cast<vk::ui::Label&>(c), eltern);
        default: return nullptr;
    }
}

}  // namespace vkhost
