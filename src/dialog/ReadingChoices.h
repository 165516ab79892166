#pragma once
// How the grids are read, as the user chooses it: the check boxes (column by column, rows bottom
// up, decimal comma, coordinates in km), the form of a text grid (as told from the file, or one
// chosen), the leading columns and rows to leave out, raw values (none, or their type) with the
// bytes of a header to pass over, and, beside them, what the reading of the file loaded last
// found. A choice takes effect only once every loaded file has been read again with it.

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

  // Fills the lists of forms and raw types, "as told from the file" and "none" chosen, and shows
  // no rows, columns or bytes left out.
  void InitControls();
  // The choices the loaded files were read with.
  const TextReadingChoices& Current() const { return current_; }
  // The choices as the controls say. A skip field takes a whole number of 0 or more (empty: 0),
  // else: "\"Skip columns\" needs a whole number of 0 or more, not \"x\"." Raw values are read
  // whatever the form chosen, and only they pass over bytes: each of the two is taken only as
  // the raw type chosen says.
  CheckedReading Checked() const;
  // Whether the controls say other choices than the current ones.
  bool Changed() const;
  // The files have been read with `choices` (or none is loaded): the controls show them.
  void Take(const TextReadingChoices& choices);
  // A choice the files refused: the controls go back to the current choices.
  void ShowCurrent();
  // The form and the bytes to pass over enabled as the raw type chosen says: the bytes for raw
  // values, the form for the rest.
  void EnableChosenFields();
  // What the reading of a file found: its form, the lines passed over and what its sample
  // interval may mean for a Z step it does not state; nothing for none.
  void ShowReading(const PropertyFile* file);

 private:
  DialogWindow& window_;
  TextReadingChoices current_;
};
