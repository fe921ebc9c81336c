// Emptying texts that held a password: the characters are overwritten before the memory is given back.
#pragma once

#include <string>

class QLineEdit;

namespace zk {

void EraseText(std::string& text);
// Overwrites the edit's text where it lies, then empties the edit (which also drops its undo history).
void EraseText(QLineEdit& edit);

}  // namespace zk
