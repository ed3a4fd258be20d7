// The window manager on Qt: the host registers its MDI area under a window handle; a form that makes
// itself a child of that handle gets a window (FormFenster) in a sub-window of the area, drawn with a
// raised edge when its style asks for one, shown and hidden with the form, brought forward on request,
// and closed when the form unloads. Closing the sub-window unloads the form, as "&Abbruch" does.
#pragma once

#include <QPointer>
#include <functional>
#include <map>

#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/form.h"

class QMdiArea;
class QMdiSubWindow;

namespace vkhost {

class FormFenster;

class QtFensterverwaltung : public vk::ui::Fensterverwaltung {
public:
    // The handle under which the component knows the area (the hWndMDI of VK.Show).
    vk::ui::Fenster HostRegistrieren(QMdiArea* bereich);

    void SetParent(vk::ui::Fenster kind, vk::ui::Fenster eltern) override;
    void SetExtendedStyle(vk::ui::Fenster fenster, long stil) override;
    void NachVorne(vk::ui::Fenster fenster) override;

    // Gives a loaded form that did not embed itself a sub-window of the area all the same.
    void Aufnehmen(vk::ui::Form& form, vk::ui::Fenster eltern);
    // The window of a form in the area, or nullptr.
    FormFenster* FensterVon(const vk::ui::Form& form) const;
    QMdiSubWindow* UnterfensterVon(const vk::ui::Form& form) const;
    // How often a form was shown or brought forward so far.
    int Hervorgeholt() const noexcept { return hervorgeholt_; }
    // How many forms left the area so far (unloaded or gone).
    int Entladungen() const noexcept { return entladungen_; }
    // Lets go of windows whose form is gone without the window having seen it.
    void Prüfen();

private:
    vk::ui::Form* FormMitFenster(vk::ui::Fenster fenster) const;
    void Weg(vk::ui::Form* form);

    std::map<vk::ui::Fenster, QPointer<QMdiArea>> hosts_;
    std::map<vk::ui::Form*, QPointer<QMdiSubWindow>> kinder_;
    int entladungen_ = 0;
    int hervorgeholt_ = 0;
};

}  // namespace vkhost
