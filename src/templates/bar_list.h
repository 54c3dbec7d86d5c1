#pragma once
#include <QString>
#include <QStringList>

namespace solvane {

// Items standing between consecutive "|" characters: "|heng|shu|" holds "heng" and "shu".
// Text before the first bar and after the last is ignored; "||" holds one empty item; a
// text with b bars holds b − 1 items.
QStringList split_bar_list(const QString& text);

}  // namespace solvane
