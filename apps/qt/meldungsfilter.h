// Qt's own messages on the terminal, without the ones that tell a person nothing: the offscreen
// platform's notice that it cannot pass size hints to a window manager, written for every window
// shown (every dialog of a --screenshot run, every test).
#pragma once

namespace vkhost {

// Installs the filter in front of the message handler in place; every other message goes on there.
void QtMeldungenFiltern();

}  // namespace vkhost
