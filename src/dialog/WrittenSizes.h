#pragma once
// The sizes of the grid file OK writes, beside "Number of Elements to Write": the grid's nodes
// along X and Z after new steps and a border, their number and the file's length in bytes.

#include "grid/Status.h"

class DialogWindow;
struct ConversionRequest;

// "File: 270 x 107\n= 28890 nodes\n346976 bytes" for the model `request` writes; nothing while no
// property is loaded or the request is refused (`checked`: by the dialog or CheckModelRequest).
void ShowWrittenSizes(DialogWindow& window, const ConversionRequest& request,
                      const Status& checked);
