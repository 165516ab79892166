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

// The sizes and steps of a grid, each with how it is known.
struct GridFacts {
  KnownFact nx, nz, dx, dz;
};
