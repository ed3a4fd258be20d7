// The component's error log as the host shows it: every failure the component logged and went on
// after, newest first, in a window of its own; and how many entries an action added.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vkhost {

// The entries of the log (the file the component writes), newest first, each as its lines; none
// when there is no log yet.
QStringList ProtokollEinträge();
// The log's size in bytes now (0 without a log): before an action, for ProtokollNeueEinträge.
long long ProtokollStand();
// How many entries were written since `stand`.
int ProtokollNeueEinträge(long long stand);

// The log window "Fehlerprotokoll" over `eltern`: the file's path and its entries, newest first.
void ProtokollZeigen(QWidget* eltern);

}  // namespace vkhost
