// The grid as a QTableWidget: the header row, column widths and alignments, row heights, read-only
// columns, current cell and selected rows follow the control. Qt edits nothing itself: a typed
// character goes into the control's cell edit (shown in the current cell until it ends), and Tab,
// Enter, the arrow keys, Backspace, Escape and Delete reach the form's key-down handler first, so
// the form decides (Tab in the last column of the last row adds a row). Clicks make a cell current
// and select whole rows.
#pragma once

#include <QTableWidget>
#include <functional>
#include <memory>

#include "bindung/bindung.h"
#include "platform/controls/grid.h"

namespace vkhost {

class Gittertabelle : public QTableWidget {
public:
    explicit Gittertabelle(QWidget* eltern);
    void AnkerSetzen(std::shared_ptr<Anker> anker);

    // Inside Qt's own change of the current cell or selection: the binding must not move them
    // meanwhile, and brings them in line once Qt is done (AbgleichVormerken runs abgleich_ then).
    bool InEingabe() const noexcept { return eingabe_ > 0; }
    void AbgleichVormerken();
    std::function<void()> abgleich_;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    vk::ui::Grid* Gitter() const;
    // A key for the form's key-down handler; false when the grid stayed as it was.
    bool Taste(int code, int shift);
    void Eingabe(const std::function<void()>& aktion);

    std::shared_ptr<Anker> anker_;
    int eingabe_ = 0;
    bool vorgemerkt_ = false;
};

std::unique_ptr<SteuerelementBindung> GridBinden(vk::ui::Grid& grid, Gittertabelle* widget);

}  // namespace vkhost
