#pragma once
// How the text grids are read, as the user chooses it: the check boxes (column by column, rows
// bottom up, decimal comma) and, beside them, what the reading of the file loaded last found.
// A choice takes effect only once every loaded file has been read again with it.

#include "textgrid/TextGridForm.h"

class DialogWindow;
struct PropertyFile;

class ReadingChoices {
 public:
  explicit ReadingChoices(DialogWindow& window) : window_(window) {}

  // The choices the loaded files were read with.
  const TextReadingChoices& Current() const { return current_; }
  // The choices as the check boxes say.
  TextReadingChoices Checked() const;
  // The files have been read with `choices` (or none is loaded).
  void Take(const TextReadingChoices& choices) { current_ = choices; }
  // A choice the files refused: the check boxes go back to the current choices.
  void ShowCurrent();
  // What the reading of a file found: its form and the lines passed over; nothing for none.
  void ShowReading(const PropertyFile* file);

 private:
  DialogWindow& window_;
  TextReadingChoices current_;
};
