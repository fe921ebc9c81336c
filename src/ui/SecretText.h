// TSecretText: where the program keeps a password — the one of a run, and what is taken out of a password
// box. Replacing, clearing or destroying it overwrites the characters before the memory is given back, and
// it is never copied by accident.
#pragma once

#include <string>

class QLineEdit;

namespace zk {

class TSecretText {
 public:
  TSecretText() = default;
  ~TSecretText();
  TSecretText(const TSecretText&) = delete;
  TSecretText& operator=(const TSecretText&) = delete;

  // UTF-8, as the engine takes it.
  const std::string& Text() const { return text_; }
  bool empty() const { return text_.empty(); }

  // The old text is overwritten first.
  void Assign(std::string text);
  // The box's text in UTF-8; the conversion leaves no copy behind.
  void AssignFrom(const QLineEdit& box);
  void Clear();

  // Overwrites a password box's text where it lies, then empties the box (which drops its undo history).
  static void ClearBox(QLineEdit& box);
  // Overwrites and empties a copy of the password handed to the engine for one run.
  static void Erase(std::string& copy);

 private:
  std::string text_;
};

}  // namespace zk
