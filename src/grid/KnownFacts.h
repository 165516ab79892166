#pragma once
// How each fact about a grid is known, as every reader hands it on beside the values: stated by
// a header (or coordinates), shown by the lines without exception, or guessed by a rule; or given
// by the user. Only what is stated, shown or given is certain: a guess is a finding, asked about
// before anything is written.

#include <string>

enum class HowKnown {
  kAbsent,   // not known at all
  kGiven,    // the user's choice
  kStated,   // a header or the coordinates state it
  kShown,    // the lines show it, without exception
  kGuessed,  // a rule's guess: a divisor, a pattern with exceptions
};

struct KnownFact {
  HowKnown how = HowKnown::kAbsent;
  // Where from, for a message: "the ESRI ASCII grid header", "the lines (174 lines of 500
  // values)", "the largest divisor up to the square root (one line)".
  std::string from;

  bool Certain() const {
    return how == HowKnown::kGiven || how == HowKnown::kStated || how == HowKnown::kShown;
  }
};

// Which way is up, of a grid whose coordinates give a vertical axis (a Surfer grid's y, the z of
// triplets or of a matrix with axes). A depth grows downwards, the top row at its least value; an
// elevation upwards, the top row at its greatest. Stated by a header that names it depth or
// elevation, shown by coordinates wholly at or above 0 (depth) or at or below 0 (elevation),
// given when the user turns the rows; coordinates across 0 with none of these are read as depth,
// a guess.
struct VerticalFact {
  std::string name;         // "y", "z"; empty: no vertical axis
  float low = 0, high = 0;  // as the file gives them
  bool elevation = false;   // as the rows are put, the user's turning of them included
  KnownFact known;
};

// The sizes and steps of a grid and which way is up, each with how it is known.
struct GridFacts {
  KnownFact nx, nz, dx, dz;
  VerticalFact vertical;
};
