#pragma once
// What a modeller gets wrong most often: values in another unit than the one given (a density in
// g/cm3 read as kg/m3, a velocity in km/s read as m/s), and a shear velocity above the
// compressional one. These checks find it before the model is written; each finding is one
// sentence naming the file, e.g.
//   "density.txt holds 1.01 to 2.63: that looks like g/cm3, not kg/m3."

#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"

// The findings of a request that passed CheckConversionRequest, each once; empty when its values
// are plausible for their units: velocities of 100 to 10,000 m/s (a shear velocity may also be 0,
// in water), densities of 500 to 6,000 kg/m3, and Vs nowhere above Vp. A text cut off by a
// Ctrl-Z is one too (EndMarkFinding), first among its input's.
std::vector<std::string> FindImplausibleValues(const ConversionRequest& request);
