// One instance per form type per process: created on first use, discarded when unloaded, so the next
// use loads afresh.
#pragma once

#include <map>
#include <memory>
#include <typeindex>
#include <vector>

#include "platform/controls/form.h"

namespace vk::ui {

class Formen {
public:
    // The instance of form type T, created (not yet loaded) when there is none.
    template <class T>
    static T& Instanz() {
        Aufräumen();
        auto& eintrag = Tabelle()[std::type_index(typeid(T))];
        if (!eintrag) eintrag = std::make_unique<T>();
        return static_cast<T&>(*eintrag);
    }
    // The instance of T if one exists, else nullptr.
    template <class T>
    static T* Vorhanden() {
        auto it = Tabelle().find(std::type_index(typeid(T)));
        return it == Tabelle().end() ? nullptr : static_cast<T*>(it->second.get());
    }
    // Every existing instance.
    static std::vector<Form*> Alle();

    // Unloads every form (tests, shutting down) and destroys the discarded instances.
    static void AlleEntladen();
    // Destroys the instances discarded by Unload, unless an event handler or a load is running (the
    // handler that unloaded its own form may still be finishing its statements).
    static void Aufräumen();

private:
    friend class Form;
    // Unload hands its instance over: it leaves the table and is destroyed at the next Aufräumen.
    static void Verwerfen(Form& form);

    static std::map<std::type_index, std::unique_ptr<Form>>& Tabelle();
    static std::vector<std::unique_ptr<Form>>& Verworfene();
};

}  // namespace vk::ui
