// The binding of one headless control to its widget: the widget follows every change of the control
// (through the control's change notification), and the widget's events reach the control through the
// replay functions, as a script's actions do. Units: 15 twips to a pixel.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/controls/control.h"

namespace vkhost {

inline int Pixel(int twips) { return twips / 15; }
inline int Twips(int pixel) { return pixel * 15; }

// What a widget holds of its control: nullptr once the binding let go (the form was unloaded or the
// window closed), so a late event of a widget never reaches a discarded form.
struct Anker {
    vk::ui::Control* control = nullptr;
};

class SteuerelementBindung {
public:
    SteuerelementBindung(vk::ui::Control& control, QWidget* widget);
    virtual ~SteuerelementBindung();
    SteuerelementBindung(const SteuerelementBindung&) = delete;
    SteuerelementBindung& operator=(const SteuerelementBindung&) = delete;

    QWidget* Widget() const { return widget_; }
    const std::shared_ptr<Anker>& AnkerVon() const noexcept { return anker_; }
    // The form is gone: no further access to the control, not even to stop observing it.
    void Lösen();
    // Brings the widget up to the control's state (also called once after construction).
    void Aktualisieren();
    // Observes a further control whose changes concern this widget (the grid under an in-cell editor).
    void AuchBeobachten(vk::ui::Control& andere);

protected:
    // The kind's own part of Aktualisieren; enabled and visible are done by the base.
    virtual void Übertragen(vk::ui::Control& control) = 0;
    // Where the focus goes when the control is hidden while its widget has it; nullptr: where Qt
    // passes it (the next field of the dialog).
    virtual QWidget* FokusBeimVerstecken() const { return nullptr; }

private:
    std::shared_ptr<Anker> anker_;
    QPointer<QWidget> widget_;
    std::vector<std::pair<vk::ui::Control*, int>> beobachtet_;
    bool läuft_ = false;
};

// The widget a control is shown by, of the class its binding needs, made under `eltern` (nullptr
// for controls without one, such as image lists): the automatic layout's widgets.
QWidget* WidgetErzeugen(const vk::ui::Control& control, QWidget* eltern);
// The Qt class a control's widget must be (or derive from): "QLineEdit", "QTableWidget", ...; empty
// for controls without a widget.
QString WidgetKlasse(const vk::ui::Control& control);
// Whether `widget` can show the control: of its class, and for text fields and grids made as the
// binding's own widgets (Texteingabe, Gittertabelle).
bool WidgetPasst(const vk::ui::Control& control, const QWidget* widget);

// The binding of a control to its widget (one for which WidgetPasst holds); nullptr for controls
// without a widget. In-cell editors are bound with ZellEditorBinden.
std::unique_ptr<SteuerelementBindung> Binden(vk::ui::Control& control, QWidget* widget);

}  // namespace vkhost
