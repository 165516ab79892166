#include "cli/ReadingOptions.h"

const char kReadingOptionsHelp[] =
    "  --order rows|columns   how the file holds the grid: rows along X, the first row the\n"
    "                         top (default), or columns, one vertical profile after another\n"
    "                         with depth varying fastest (as Fortran programs write them)\n"
    "  --decimal-comma        every comma is a decimal mark (1500,5); by default commas are\n"
    "                         told from the text: between values (1500.5,1600.25), decimal\n"
    "                         with semicolons between values (1500,5;1600,25) or between\n"
    "                         blanks (1500,5 1600,25) where nothing else fits\n";

const char kFlipOptionHelp[] =
    "  --flip-z               the rows come from the bottom up (the first row the deepest)\n";
