#pragma once
// The values the rules make (PropertyRules.h), checked as the values read from a file are, each
// finding naming the rule; and the slow nodes below the sea, which the rules take as rock.

#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"

// In this order, for a request that passed CheckConversionRequest: the slow nodes below the sea
// (Sea.h); for each rule, the values it makes outside the sea when they leave the plausible range
// of their property, the water's density it puts in the sea likewise, and a Vs at or above Vp
// ("Vs = Vp / 1.0000001 puts Vs at or above Vp at 5 of 87000 nodes, ..."). Empty without a rule.
std::vector<std::string> RuleFindings(const ConversionRequest& request);
