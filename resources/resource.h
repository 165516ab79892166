// Resource ids of MorvTxtMvg: dialog templates, strings, icons, bitmaps and the
// controls of the two dialogs. Plain #defines so that both the resource script
// (windres) and C++ can include this file.
#ifndef MORVTXTMVG_RESOURCE_H
#define MORVTXTMVG_RESOURCE_H

// Dialog templates and strings.
#define IDD_ABOUT 100
#define IDS_ABOUT 101
#define IDD_CONVERT 102
#define IDD_MODEL_PICTURE 103

// Icons and bitmaps.
#define IDI_APP 128
#define IDI_OPEN 130
#define IDI_SAVE 131
#define IDB_PICTURE 137

// Controls without an id (labels, group boxes, pictures).
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Conversion dialog: per-property figures (read-only fields).
#define IDC_VP_COUNT 1000
#define IDC_VP_MIN 1001
#define IDC_VP_MAX 1002
#define IDC_DENSITY_COUNT 1003
#define IDC_DENSITY_MIN 1004
#define IDC_DENSITY_MAX 1005
#define IDC_VS_COUNT 1007
#define IDC_VS_MIN 1008
#define IDC_VS_MAX 1013

// Conversion dialog: grid sizes and steps.
#define IDC_INPUT_COUNT 1006  // number of elements in the input files
#define IDC_NX_INPUT 1010     // combo box: X size in the input files
#define IDC_X_STEP 1011
#define IDC_NZ_INPUT 1012  // Z size in the input files
#define IDC_Z_STEP 1022
#define IDC_WRITE_COUNT 1025  // number of elements to write
#define IDC_NX_WRITE 1026
#define IDC_NZ_WRITE 1027
#define IDC_WRITTEN_SIZES 1060  // the sizes of the grid file written (shown only)

// Conversion dialog: unit combo boxes.
#define IDC_VP_UNITS 1009
#define IDC_DENSITY_UNITS 1014
#define IDC_VS_UNITS 1015

// Conversion dialog: file names (static texts) and their browse buttons.
#define IDC_VP_BROWSE 1016
#define IDC_VP_PATH 1017
#define IDC_OUTPUT_PATH 1018
#define IDC_OUTPUT_BROWSE 1019
#define IDC_DENSITY_PATH 1020
#define IDC_DENSITY_BROWSE 1021
#define IDC_VS_PATH 1023
#define IDC_VS_BROWSE 1024

// Conversion dialog: the model's picture and the list of the property it shows.
#define IDC_PICTURE_PROPERTY 1028
#define IDC_MODEL_PICTURE 1029

// Conversion dialog: the window's first node, where density and Vs come from, and what is done
// to the model.
#define IDC_X_FROM 1032
#define IDC_Z_FROM 1033
#define IDC_DENSITY_SOURCE 1034
#define IDC_VS_SOURCE 1035
#define IDC_VS_RATIO 1036
#define IDC_NEW_X_STEP 1037
#define IDC_NEW_Z_STEP 1038
#define IDC_BORDER 1039
#define IDC_FILL_HOLES 1040
#define IDC_WATER_VP 1041
#define IDC_WATER_DENSITY 1042

// Conversion dialog: how the text grids are read, and what their reading found.
#define IDC_COLUMNS 1043
#define IDC_FLIP_Z 1044
#define IDC_DECIMAL_COMMA 1045
#define IDC_READING 1046

// The enlarged picture of the model.
#define IDC_ENLARGED_PICTURE 1031

// About box: the help text.
#define IDC_HELP_TEXT 1030

#endif  // MORVTXTMVG_RESOURCE_H
