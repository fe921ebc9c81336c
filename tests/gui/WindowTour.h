// A walk through every window of the program in each of its states (and the messages shown on the way), for
// tests that look at what the user sees or hears: texts, accessible names, focus order, whether texts fit.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace zk::test {

class TGuiFixture;

// Called with each window as it is shown, and a name for the state (e.g. "confirmation, wipe").
using TWindowVisitor = std::function<void(QWidget& window, const QString& state)>;

// Starts the program in `fixture` and shows every window in turn: the main window (with the wipe bin), the
// options, the security dialog at each level and algorithm, the hash tool, the password dialog for
// encryption and decryption, and the confirmation list for each mode and after a wipe run.
void TourWindows(TGuiFixture& fixture, const TWindowVisitor& visit);

// Every text `window` shows of its visible controls: captions, labels, button and box texts, group titles,
// list headers and rows, combo items, read-only memos, tooltips, accessible names and descriptions.
QStringList ShownTexts(QWidget& window);

}  // namespace zk::test
