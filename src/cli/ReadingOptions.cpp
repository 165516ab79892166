#include "cli/ReadingOptions.h"

const char kReadingOptionsHelp[] =
    "  --order rows|columns   how the file holds the grid: rows along X, the first row the\n"
    "                         top (default), or columns, one vertical profile after another\n"
    "                         with depth varying fastest (as Fortran programs write them),\n"
    "                         whatever its line breaks\n"
    "  --flip-z               the rows come from the bottom up (the first row the deepest); a\n"
    "                         Surfer grid's y or the z of triplets or of a matrix with axes\n"
    "                         read as depth is read as elevation, and the other way round\n"
    "  --decimal-comma        every comma is a decimal mark (1500,5); by default commas are\n"
    "                         told from the text: between values (1500.5,1600.25), decimal\n"
    "                         with semicolons between values (1500,5;1600,25) or between\n"
    "                         blanks (1500,5 1600,25) where nothing else fits\n"
    "  --form FORM            read the file in this form, not the one told from its text:\n"
    "                         plain, esri, surfer, triplets or matrix (a matrix with axes)\n"
    "  --skip-columns N       leave out the first N columns (values of each line, where every\n"
    "  --skip-rows N          line holds one row) and the first N rows (lines of values), as\n"
    "                         depths or x coordinates written beside the values; with --order\n"
    "                         columns, columns are the lines and rows the values of each line\n"
    "  --coordinates km|m     the unit of the coordinates a file states (an ESRI grid's\n"
    "                         cellsize, a Surfer grid's x and y, triplets' x and z, a\n"
    "                         matrix's axes): m by default; km reads them in km\n";

const char kRawOptionsHelp[] =
    "  --raw TYPE             read the file as raw values, whatever its bytes: f32le, f32be\n"
    "                         (32-bit floats, little- or big-endian), f64le or f64be (64-bit);\n"
    "                         Fortran unformatted records around them are told by their length\n"
    "                         markers, which then give the row length (or, with --order\n"
    "                         columns, the column length); without records give --nx\n"
    "  --skip-bytes N         of raw values: pass over a header of N bytes first\n";
