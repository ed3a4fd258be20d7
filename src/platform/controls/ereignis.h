// Event slots of the controls: an ordered list of handlers that an event raises in turn.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace vk::ui {

// Counts the event handlers and form loads running right now. Unloaded form instances are only
// destroyed while nothing runs (see Formen::Aufräumen), so a handler that unloads its own form can
// still finish its statements.
class Ablauf {
public:
    Ablauf() noexcept;
    ~Ablauf();
    Ablauf(const Ablauf&) = delete;
    Ablauf& operator=(const Ablauf&) = delete;

    static int Tiefe() noexcept;
};

// An event with arguments Args (by-reference arguments let a handler answer, e.g. a key code set to 0).
// Handlers run in the order they were connected; a handler connected while the event runs takes part
// from the next time on.
template <class... Args>
class Ereignis {
public:
    using Handler = std::function<void(Args...)>;

    // Connects a handler; the returned number disconnects it.
    int Verbinden(Handler handler) {
        handler_.push_back({++letzteNummer_, std::move(handler)});
        return letzteNummer_;
    }
    void Trennen(int nummer) {
        std::erase_if(handler_, [nummer](const Eintrag& e) { return e.nummer == nummer; });
    }
    bool Verbunden() const noexcept { return !handler_.empty(); }

    // Runs every handler; an exception of a handler ends the event and reaches the caller.
    void Auslösen(Args... args) const {
        Ablauf laufend;
        const std::vector<Eintrag> kopie = handler_;
        for (const Eintrag& e : kopie) e.handler(args...);
    }

private:
    struct Eintrag {
        int nummer;
        Handler handler;
    };
    std::vector<Eintrag> handler_;
    int letzteNummer_ = 0;
};

}  // namespace vk::ui
