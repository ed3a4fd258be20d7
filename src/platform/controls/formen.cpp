#include "platform/controls/formen.h"

#include "platform/controls/ereignis.h"

namespace vk::ui {

std::map<std::type_index, std::unique_ptr<Form>>& Formen::Tabelle() {
    static std::map<std::type_index, std::unique_ptr<Form>> tabelle;
    return tabelle;
}

std::vector<std::unique_ptr<Form>>& Formen::Verworfene() {
    static std::vector<std::unique_ptr<Form>> verworfene;
    return verworfene;
}

std::vector<Form*> Formen::Alle() {
    std::vector<Form*> alle;
    for (auto& [typ, form] : Tabelle()) alle.push_back(form.get());
    return alle;
}

void Formen::Verwerfen(Form& form) {
    for (auto it = Tabelle().begin(); it != Tabelle().end(); ++it) {
        if (it->second.get() != &form) continue;
        form.verworfen_ = true;
        Verworfene().push_back(std::move(it->second));
        Tabelle().erase(it);
        return;
    }
}

void Formen::AlleEntladen() {
    for (Form* form : Alle()) form->Unload();
    Tabelle().clear();
    Aufräumen();
}

void Formen::Aufräumen() {
    if (Ablauf::Tiefe() == 0) Verworfene().clear();
}

}  // namespace vk::ui
