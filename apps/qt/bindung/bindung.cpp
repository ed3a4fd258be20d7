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
        if (!c->Visible() && widget_->hasFocus())
            if (QWidget* ziel = FokusBeimVerstecken()) ziel->setFocus(Qt::OtherFocusReason);
        widget_->setHidden(!c->Visible());
        Übertragen(*c);
    } catch (const std::exception&) {
        // A control read that fails (a form half-way through a change) leaves the widget as it is;
        // the next change brings it up to date.
    }
    läuft_ = false;
}

}  // namespace vkhost

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "bindung/einfache.h"
#include "bindung/gittertabelle.h"
#include "bindung/texteingabe.h"

namespace vkhost {

using vk::ui::Art;

QWidget* WidgetErzeugen(const vk::ui::Control& c, QWidget* eltern) {
    switch (c.Kind()) {
        case Art::Grid: return new Gittertabelle(eltern);
        case Art::MaskEdBox:
        case Art::TextBox: return new Texteingabe(eltern);
        case Art::CheckBox: return new QCheckBox(eltern);
        case Art::OptionButton: return new QRadioButton(eltern);
        case Art::Frame: return new QGroupBox(eltern);
        case Art::ComboBox: return new QComboBox(eltern);
        case Art::CommandButton: return new QPushButton(eltern);
        case Art::Label: return new QLabel(eltern);
        default: return nullptr;
    }
}

QString WidgetKlasse(const vk::ui::Control& c) {
    switch (c.Kind()) {
        case Art::Grid: return "QTableWidget";
        case Art::MaskEdBox:
        case Art::TextBox: return "QLineEdit";
        case Art::CheckBox: return "QCheckBox";
        case Art::OptionButton: return "QRadioButton";
        case Art::Frame: return "QGroupBox";
        case Art::ComboBox: return "QComboBox";
        case Art::CommandButton: return "QPushButton";
        case Art::Label: return "QLabel";
        default: return {};
    }
}

bool WidgetPasst(const vk::ui::Control& c, const QWidget* w) {
    if (!w) return false;
    switch (c.Kind()) {
        case Art::Grid: return dynamic_cast<const Gittertabelle*>(w) != nullptr;
        case Art::MaskEdBox:
        case Art::TextBox: return dynamic_cast<const Texteingabe*>(w) != nullptr;
        default: {
            const QString klasse = WidgetKlasse(c);
            return !klasse.isEmpty() && w->inherits(klasse.toLatin1().constData());
        }
    }
}

std::unique_ptr<SteuerelementBindung> Binden(vk::ui::Control& c, QWidget* w) {
    if (!WidgetPasst(c, w)) return nullptr;
    switch (c.Kind()) {
        case Art::Grid: return GridBinden(static_cast<vk::ui::Grid&>(c), dynamic_cast<Gittertabelle*>(w));
        case Art::MaskEdBox:
        case Art::TextBox: return TextfeldBinden(static_cast<vk::ui::TextFeld&>(c), dynamic_cast<Texteingabe*>(w));
        case Art::CheckBox: return KontrollkästchenBinden(static_cast<vk::ui::CheckBox&>(c), qobject_cast<QCheckBox*>(w));
        case Art::OptionButton: return OptionBinden(static_cast<vk::ui::OptionButton&>(c), qobject_cast<QRadioButton*>(w));
        case Art::Frame: return RahmenBinden(static_cast<vk::ui::Frame&>(c), qobject_cast<QGroupBox*>(w));
        case Art::ComboBox: return KombinationsfeldBinden(static_cast<vk::ui::ComboBox&>(c), qobject_cast<QComboBox*>(w));
        case Art::CommandButton: return KnopfBinden(static_cast<vk::ui::CommandButton&>(c), qobject_cast<QPushButton*>(w));
        case Art::Label: return BeschriftungBinden(static_cast<vk::ui::Label&>(c), qobject_cast<QLabel*>(w));
        default: return nullptr;
    }
}

}  // namespace vkhost
