// The window of one headless form: its controls, found by walking the form, laid out from top to
// bottom in declaration order (frames as group boxes with their own controls, a label beside the
// input that follows it, the form's buttons and version label in a row at the bottom, in-cell
// editors over their grid). Each widget is named after its control ("chkOrt", "optTabelle(0)").
// The window follows the form's caption, icon and visibility and lets go of the form when it is
// unloaded.
#pragma once

#include <QFrame>
#include <QPointer>
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
    // The extended window style: the MDI child with a raised edge (0x140) draws a raised frame.
    void StilSetzen(long stil);
    // The form is gone (unloaded): no binding touches it again; emits Entladen.
    void Loslassen();

signals:
    void TitelNeu(const QString& titel);
    void SichtbarkeitNeu(bool sichtbar);
    void Entladen();

private:
    void Aufbauen(vk::ui::Control& behälter, QWidget* fläche, QBoxLayout* layout, QBoxLayout* knopfzeile);
    void ZellEditorenBinden();
    void FormÜbertragen();

    vk::ui::Form* form_;
    int beobachter_ = 0;
    bool sichtbar_ = false;
    std::vector<std::unique_ptr<SteuerelementBindung>> bindungen_;
    std::map<const vk::ui::Control*, QPointer<QWidget>> widgets_;
};

}  // namespace vkhost
