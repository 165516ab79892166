#pragma once
// What the coordinates of a form say beyond its sizes and steps. Which way is up: a depth grows
// downwards (the top row at its least value), an elevation upwards (the top row at its greatest);
// a model is written top row first. And their unit: m, or km when the user says so.

#include <string>

#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

// How a triplets' header names the vertical column: "depth" or "elevation"; or not at all ("z",
// "y", no header).
enum class VerticalName { kNone, kDepth, kElevation };

// Whether a vertical coordinate from low to high is an elevation by itself: named so, or, not
// named, wholly at or below 0.
bool ReadsAsElevation(float low, float high, VerticalName named);

// The axis taken, with how it is known (VerticalFact): read as ReadsAsElevation says, then turned
// over when the user turns the rows.
VerticalFact TakeVertical(const std::string& name, float low, float high, VerticalName named,
                          bool turned);

// "read as elevation: the top row is y 0"; "read as depth: the top row is z 0".
std::string DescribeVertical(const VerticalFact& axis);

// Coordinates in km: the steps a form states (StatesDx, StatesDz) put in m, as the grid file holds
// them, and said on its line ("coordinates in km"). Refused, naming the file, for a form that
// states none: "vp.txt: a plain text grid holds no coordinates to read in km".
Status TakeCoordinatesInKm(TextGridForm& form, const std::string& name);

// A length in km in m, exactly as its decimal says it: the shortest text of the float with its
// point moved three places (0.02 km is 20 m, not 20.0000003).
float KilometresInMetres(float km);
