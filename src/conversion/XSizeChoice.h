#pragma once
// The X size of a text grid as every front end chooses it: the one the user gives (nx), the one
// the file states, or the proposal of its lines, with how it is known.

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/NamedChoices.h"
#include "grid/KnownFacts.h"
#include "grid/Status.h"
#include "textgrid/TextGridForm.h"
#include "textgrid/TextGridLines.h"

struct XSizeChoice {
  std::int32_t nx = 0;
  // "nx 500 from the lines (174 lines of 500 values)": the size and how it is known ("nx 500"
  // when given).
  std::string said;
  KnownFact known;  // given, stated, shown by the lines or guessed
  Status status;    // the refusal line when no X size can be had
};

// `name` calls the file in messages; `form` is what its reading handed on (its facts give the
// proposal). A refusal says how the file's lines go, which is where a value too many or too few
// shows: "--vp vp.txt: 174 lines of 500 values, then line 175 holds 1 value". A form that states
// its X size gives it, and --nx must agree with it: "--nx 250 contradicts --vp vp.asc: the ESRI
// ASCII grid header gives nx 500". `named` names nx as the user's front end does. Raw values (a
// binary form that states no sizes) need it: "--vp vp.bin: raw values say nothing of the X size;
// give --nx".
XSizeChoice ChooseXSize(std::uint32_t count, const TextGridLines& lines, const std::string& name,
                        bool given, std::int32_t nx, const TextGridForm& form,
                        const NamedChoices& named = NamedChoices());

// The proposal and how it is known: "nx 500 from the lines (174 lines of 500 values)", or
// "nx 290, guessed as the largest divisor up to the square root (one line)".
std::string DescribeProposal(std::int32_t nx, const KnownFact& known);
