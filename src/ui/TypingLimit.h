// A length limit on what the user types into a line edit. QLineEdit's own maxLength also cuts every text the
// program sets, such as a longer value from the settings file, which must be shown, used and saved whole.
#pragma once

class QLineEdit;

namespace zk {

// From now on an edit by the user may make the text longer than `limit` characters only as far as it was
// before; typed or pasted characters beyond that are dropped. Texts the program sets stay whole.
void LimitTyping(QLineEdit& edit, int limit);

}  // namespace zk
