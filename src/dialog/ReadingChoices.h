#pragma once
// How the text grids are read, as the user chooses it: the check boxes (column by column, rows
// bottom up, decimal comma, coordinates in km), the form (as told from the text, or one chosen),
// the leading columns and rows to leave out and, beside them, what the reading of the file loaded
// last found. A choice
// takes effect only once every loaded file has been read again with it.

#include <string>

#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

class DialogWindow;
struct PropertyFile;

// The choices as the controls say them, or why a field's text is none.
struct CheckedReading {
  TextReadingChoices choices;
  Status status;
  int refusedField = 0;  // the field refused
};

class ReadingChoices {
 public:
  explicit ReadingChoices(DialogWindow& window) : window_(window) {}

  // Fills the list of forms, "as told from the text" chosen, and shows no rows or columns left
  // out.
  void InitControls();
  // The choices the loaded files were read with.
  const TextReadingChoices& Current() const { return current_; }
  // The choices as the controls say. A skip field takes a whole number of 0 or more (empty: 0),
  // else: "\"Skip columns\" needs a whole number of 0 or more, not \"x\"."
  CheckedReading Checked() const;
  // Whether the controls say other choices than the current ones.
  bool Changed() const;
  // The files have been read with `choices` (or none is loaded).
  void Take(const TextReadingChoices& choices) { current_ = choices; }
  // A choice the files refused: the controls go back to the current choices.
  void ShowCurrent();
  // What the reading of a file found: its form and the lines passed over; nothing for none.
  void ShowReading(const PropertyFile* file);

 private:
  DialogWindow& window_;
  TextReadingChoices current_;
};
