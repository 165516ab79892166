#pragma once
// Peak resident memory of a piece of work, measured in a child process of its own so that
// nothing done before or after counts.

#include <functional>

// The child's peak resident memory in KiB when `work` returns true; -1 otherwise.
long PeakResidentKiB(const std::function<bool()>& work);
