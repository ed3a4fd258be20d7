// The window of one headless form. Its layout comes from the form's Qt Designer file (see entwurf.h):
// every control of the form is shown by the widget of the file that carries the control's name
// ("chkOrt", "optTabelle(0)"), found by that name, so nothing here knows any dialog. What the file
// lacks or has of the wrong class is listed (Mängel) and made all the same, in a box below the
// layout, so the dialog stays usable. A form without a file is laid out automatically, from top to
// bottom in declaration order (frames as group boxes with their own controls, a label beside the
// input that follows it, the form's buttons and version label in a row at the bottom). In-cell
// editors lie over their grid either way. The window follows the form's caption, icon and
// visibility and lets go of the form when it is unloaded. Enter confirms and Escape cancels.
#pragma once

#include <QFrame>
#include <QPointer>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "bindung/bindung.h"
#include "platform/controls/form.h"

class QBoxLayout;

namespace vkhost {

class FormFenster : public QFrame {
    Q_OBJECT
public:
    explicit FormFenster(vk::ui::Form& form, QWidget* eltern = nullptr);
    ~FormFenster() override;

    // The form, or nullptr once it was unloaded.
    vk::ui::Form* Form() const { return form_; }
    // The widget of a control of the form (nullptr for one without).
    QWidget* WidgetVon(const vk::ui::Control& control) const;
    // Whether the layout came from the form's .ui file, and what the file lacked or had wrong, one
    // line per control naming it; empty when the file fits the form.
    bool AusEntwurf() const noexcept { return ausEntwurf_; }
    const QStringList& Mängel() const noexcept { return mängel_; }
    // The extended window style: the MDI child with a raised edge (0x140) draws a raised frame.
    void StilSetzen(long stil);
    // The form is gone (unloaded): no binding touches it again; emits Entladen.
    void Loslassen();

    // Puts the keyboard focus on the first field of the window, in its tab order.
    void ErstesFeldFokussieren();

signals:
    void TitelNeu(const QString& titel);
    void SichtbarkeitNeu(bool sichtbar);
    void Entladen();

protected:
    // Enter and Escape that no field used confirm and cancel, as the buttons "&OK" and "&Abbruch"
    // do (Enter on a focused button presses that button).
    void keyPressEvent(QKeyEvent* e) override;

private:
    void EntwurfBinden(QWidget* entwurf, QBoxLayout* layout);
    void Aufbauen(vk::ui::Control& behälter, QWidget* fläche, QBoxLayout* layout, QBoxLayout* knopfzeile);
    // Binds a control to its widget and remembers the widget; false when they do not fit.
    bool Anbinden(vk::ui::Control& control, QWidget* widget);
    void ZellEditorenBinden(const std::map<const vk::ui::Control*, QWidget*>& vorhanden);
    void FormÜbertragen();

    vk::ui::Form* form_;
    int beobachter_ = 0;
    bool sichtbar_ = false;
    bool ausEntwurf_ = false;
    QStringList mängel_;
    std::vector<std::unique_ptr<SteuerelementBindung>> bindungen_;
    std::map<const vk::ui::Control*, QPointer<QWidget>> widgets_;
};

}  // namespace vkhost
