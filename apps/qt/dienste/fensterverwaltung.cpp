#include "dienste/fensterverwaltung.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "bindung/aktion.h"
#include "bindung/formfenster.h"
#include "common/prozedur.h"
#include "platform/controls/formen.h"

namespace vkhost {

namespace {

// Closing the sub-window by its title bar unloads the form.
class Unterfenster : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void closeEvent(QCloseEvent* e) override {
        auto* fenster = qobject_cast<FormFenster*>(widget());
        if (vk::ui::Form* form = fenster ? fenster->Form() : nullptr) Ausführen([&] { form->Unload(); });
        QMdiSubWindow::closeEvent(e);
    }
};

constexpr vk::ui::Fenster kErsterHost = 0x7f000000;

}  // namespace

vk::ui::Fenster QtFensterverwaltung::HostRegistrieren(QMdiArea* bereich) {
    const vk::ui::Fenster handle = kErsterHost + static_cast<vk::ui::Fenster>(hosts_.size()) + 1;
    hosts_[handle] = bereich;
    return handle;
}

vk::ui::Form* QtFensterverwaltung::FormMitFenster(vk::ui::Fenster fenster) const {
    if (fenster == 0) return nullptr;
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->hWnd() == fenster) return f;
    return nullptr;
}

void QtFensterverwaltung::SetParent(vk::ui::Fenster kind, vk::ui::Fenster eltern) {
    if (vk::ui::Form* form = FormMitFenster(kind)) Aufnehmen(*form, eltern);
}

void QtFensterverwaltung::Aufnehmen(vk::ui::Form& form, vk::ui::Fenster eltern) {
    auto host = hosts_.find(eltern);
    if (host == hosts_.end() || !host->second || kinder_.count(&form)) return;
    auto* fenster = new FormFenster(form);
    auto* sub = new Unterfenster;
    sub->setWidget(fenster);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(fenster->windowTitle());
    sub->setWindowIcon(fenster->windowIcon());
    host->second->addSubWindow(sub);
    kinder_[&form] = sub;
    vk::ui::Form* schlüssel = &form;
    QObject::connect(fenster, &FormFenster::TitelNeu, sub, &QWidget::setWindowTitle);
    QObject::connect(fenster, &FormFenster::SichtbarkeitNeu, sub, [sub](bool sichtbar) {
        if (!sichtbar) {
            sub->hide();
            return;
        }
        sub->adjustSize();
        sub->show();
    });
    QObject::connect(fenster, &FormFenster::Entladen, sub, [this, schlüssel] { Weg(schlüssel); });
    if (form.Visible()) {
        sub->adjustSize();
        sub->show();
    }
}

void QtFensterverwaltung::Weg(vk::ui::Form* form) {
    auto it = kinder_.find(form);
    if (it == kinder_.end()) return;
    ++entladungen_;
    if (QMdiSubWindow* sub = it->second) {
        sub->hide();  // gone from the area at once; deleted once the event loop is back
        sub->deleteLater();
    }
    kinder_.erase(it);
}

void QtFensterverwaltung::SetExtendedStyle(vk::ui::Fenster fenster, long stil) {
    vk::ui::Form* form = FormMitFenster(fenster);
    if (FormFenster* f = form ? FensterVon(*form) : nullptr) f->StilSetzen(stil);
}

void QtFensterverwaltung::NachVorne(vk::ui::Fenster fenster) {
    ++hervorgeholt_;
    vk::ui::Form* form = FormMitFenster(fenster);
    QMdiSubWindow* sub = form ? UnterfensterVon(*form) : nullptr;
    if (!sub) return;
    sub->show();
    if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
}

QMdiSubWindow* QtFensterverwaltung::UnterfensterVon(const vk::ui::Form& form) const {
    auto it = kinder_.find(const_cast<vk::ui::Form*>(&form));
    return it == kinder_.end() ? nullptr : it->second.data();
}

FormFenster* QtFensterverwaltung::FensterVon(const vk::ui::Form& form) const {
    QMdiSubWindow* sub = UnterfensterVon(form);
    return sub ? qobject_cast<FormFenster*>(sub->widget()) : nullptr;
}

void QtFensterverwaltung::Prüfen() {
    const std::vector<vk::ui::Form*> alle = vk::ui::Formen::Alle();
    std::vector<vk::ui::Form*> weg;
    for (auto& [form, sub] : kinder_) {
        const bool da = std::find(alle.begin(), alle.end(), form) != alle.end() && form->Geladen();
        if (!da || !sub) weg.push_back(form);
    }
    for (vk::ui::Form* form : weg) {
        if (QMdiSubWindow* sub = UnterfensterVon(*form))
            if (auto* f = qobject_cast<FormFenster*>(sub->widget())) f->Loslassen();
        Weg(form);
    }
}

}  // namespace vkhost
