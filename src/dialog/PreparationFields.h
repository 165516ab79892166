#pragma once
// The dialog's fields that prepare the model: where density and Vs come from (their file or a
// rule on Vp, with the Vp/Vs ratio and the water the rules need), how holes are filled, new steps
// and a border. Their texts are read into the request's record, refused as the user reads it.

#include <string>

#include "conversion/ModelPreparation.h"
#include "grid/GridProperties.h"

class DialogWindow;

// Fills the source and hole lists (a property's file, no filling chosen) and shows the default
// ratio and water.
void InitPreparationFields(DialogWindow& window);

// The rule chosen in a property's source list; kFile for Vp, which has no list.
PropertyRule ChosenRule(const DialogWindow& window, PropertyKind kind);

// A file loaded for a property derived by a rule is read from it instead.
void ChooseFileSource(DialogWindow& window, PropertyKind kind);

// The ratio and the water's fields are enabled while a rule needs them.
void EnableRuleFields(DialogWindow& window);

struct PreparationFields {
  ModelPreparation preparation;
  // Why a field's text was refused, and which field; empty when every one was taken.
  std::string message;
  int refusedControl = 0;
  bool ok() const { return message.empty(); }
};

// The fields' texts as the request takes them. The ratio and the water are read only while a
// rule needs them. Empty new steps resample nothing; one typed alone keeps the grid's own step
// (xStep, zStep) along the other axis. An empty border adds none. Refusals, besides "Please enter
// a number." for a ratio, a water value or a new step that is none:
//   "\"abc\" is not a way to fill holes: choose none or nearest, or type a number."
//   "\"1,2\" is not a border: type four whole numbers of nodes, left,right,top,bottom, as
//    10,10,0,20."
PreparationFields TakePreparationFields(const DialogWindow& window, float xStep, float zStep);
