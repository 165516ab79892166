#pragma once
// What the coordinates of a file's form leave open (a Surfer grid's or triplets' coordinates, an
// ESRI grid's cell size): which way is up, and whether their steps are in m. Each finding is one
// sentence naming the file as the front end names it, and the choice that settles it, as the front
// end names that (`flipName`, `kmName`; empty: the front end offers none).

#include <string>

#include "textgrid/TextGridForm.h"

// A vertical axis across 0 that nothing said was depth or elevation:
//   "vp.grd: y runs from -500 to 2960, across 0: is it depth or elevation? It is read as depth,
//    the top row y -500; --flip-z reads it as elevation, the top row y 2960"
std::string DepthOrElevationFinding(const std::string& name, const TextGridForm& form,
                                    const std::string& flipName);

// Steps a form states below 0.1 m or above 1000 m:
//   "vp.xyz: steps of 0.02 and 0.02, from the triplets' coordinates: are they in km?
//    --coordinates km reads them in km"
//   "vp.asc: steps of 5000 and 5000, from the ESRI ASCII grid header: a step of more than 1000 m?"
std::string StatedStepsFinding(const std::string& name, const TextGridForm& form,
                               const std::string& kmName);
