#pragma once
// The help of mvgtool's reading options (--order rows|columns, --flip-z, --decimal-comma, --form,
// --skip-columns, --skip-rows and --coordinates km|m, and --raw and --skip-bytes for raw
// values), which conversion/ReadingChoices.h takes for every front end.

#include "conversion/ReadingChoices.h"

// The help text of the options, for the commands' --help.
extern const char kReadingOptionsHelp[];
extern const char kRawOptionsHelp[];
