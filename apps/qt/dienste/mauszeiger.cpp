#include "dienste/mauszeiger.h"

#include <QApplication>
#include <QCursor>

namespace vkhost {

QtBildschirm::~QtBildschirm() {
    if (überschrieben_ && QApplication::instance()) QApplication::restoreOverrideCursor();
}

void QtBildschirm::SetMousePointer(int zeiger) {
    zeiger_ = zeiger;
    const bool sanduhr = zeiger == vk::ui::mauszeiger::Sanduhr;
    if (sanduhr) ++sanduhren_;
    if (sanduhr == überschrieben_) return;  // one override at a time, however often it is set
    überschrieben_ = sanduhr;
    if (sanduhr) QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    else QApplication::restoreOverrideCursor();
}

}  // namespace vkhost
