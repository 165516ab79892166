#pragma once
// What a conversion did to the model beyond taking its window, one sentence a step, in the order
// done, for both front ends to show:
//   "vp.txt: 15 holes filled with the value of the nearest node that is not a hole."
//   "vp.txt: 1 hole filled with 2000 m/s."   ("No holes to fill." when none had any)
//   "Density by Gardner's relation, 310 x Vp^0.25, and 1030 kg/m3 where Vp is at most 1550 m/s
//    (water)."   (see RuleSentence)
//   "New steps dx 40 m, dz 30 m (from 20 m, 20 m): 250 x 116 nodes, floor(extent / new step) + 1
//    along each axis; X by plain decimation, one node in 2 copied exactly; Z by bilinear
//    interpolation."
//   "A border of 10, 10, 0, 20 nodes (left, right, top, bottom) repeats the edge values."

#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"

std::vector<std::string> PreparationSummary(const ConversionRequest& request);
