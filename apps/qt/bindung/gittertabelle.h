// The grid as a QTableWidget: the header row, column widths and alignments, row heights, read-only
// columns, current cell and selected rows follow the control. Qt edits nothing itself: a typed
// character goes into the control's cell edit (shown in the current cell until it ends), and Tab,
// Enter, the arrow keys, Backspace, Escape and Delete reach the form's key-down handler first, so
// the form decides (Tab in the last column of the last row adds a row). Clicks make a cell current
// and select whole rows.
#pragma once

#include <QTableWidget>
#include <memory>

#include "bindung/bindung.h"
#include "platform/controls/grid.h"

namespace vkhost {

class Gittertabelle : public QTableWidget {
public:
    explicit Gittertabelle(QWidget* eltern);
    void AnkerSetzen(std::shared_ptr<Anker> anker);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    vk::ui::Grid* Gitter() const;
    // A key for the form's key-down handler; false when the grid stayed as it was.
    bool Taste(int code, int shift);

    std::shared_ptr<Anker> anker_;
};

std::unique_ptr<SteuerelementBindung> GridBinden(vk::ui::Grid& grid, QWidget* eltern);

}  // namespace vkhost
