#pragma once
// Binding keys: the text a bound music row and its lyric row share.
#include <QString>

namespace solvane {

// The current local date and time ("2017-5-3 14:22:01") followed directly by `suffix`.
// A key is never handed out twice in one run: when the same second and suffix come again
// a counter ("#2", "#3", ...) is added, so two bindings made within one second stay apart.
QString makeBindingKey(int suffix);

}  // namespace solvane
