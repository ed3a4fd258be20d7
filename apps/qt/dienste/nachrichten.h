// The message box as a modal Qt question: "Zeile löschen?" with Ja / Nein, and the other button sets
// of the message-box flags.
#pragma once

#include <string>

#include "common/nachricht.h"

namespace vkhost {

class QtNachrichten : public vk::NachrichtenDienst {
public:
    // Shows the text modally over the active window; returns the code of the button pressed
    // (closing the box counts as the safe answer: No, Cancel or OK).
    int Zeigen(const std::string& text, int flags, const std::string& titel) override;
};

}  // namespace vkhost
