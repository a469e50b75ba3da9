#pragma once
// Control and resource identifiers of the main dialog (also used by the .rc file).

#define IDD_MAIN_DIALOG 100
#define IDI_FARSPAN 101
#define IDB_PORTRAIT 102
#define IDB_DIAGRAM_SMALL 103
#define IDB_DIAGRAM_LARGE 104
#define DIALOG_FONT_POINTS 8  // the template's font size

#define IDC_CLOSE 1
#define IDC_LANGUAGE 10
#define IDC_FONT 11
#define IDC_ABOUT 12
#define IDC_PRINT 13
#define IDC_HEIGHT 15
#define IDC_DISTANCE 16
#define IDC_RAMINFO 17
#define IDC_KILOMETRES 18
#define IDC_KILOMETRES_SPIN 19
#define IDC_METRES 20
#define IDC_METRES_SPIN 21
#define IDC_DEGREES 22
#define IDC_DEGREES_SPIN 23
#define IDC_MINUTES 24
#define IDC_MINUTES_SPIN 25
#define IDC_PORTRAIT 26
#define IDC_DIAGRAM 27
#define IDC_GRAPHIC 28
#define IDC_WWW 29
#define IDC_COLOUR 30
// The row under the angle: the observer's eye height and the refraction.
#define IDC_EYE_HEIGHT 32
#define IDC_EYE_HEIGHT_SPIN 33
#define IDC_REFRACTION 34
#define IDC_OUTPUT 1000
#define IDC_LENGTH_LABEL 1001
#define IDC_UNIT_KILOMETRES 1002
#define IDC_UNIT_METRES 1003
#define IDC_ANGLE_LABEL 1004
#define IDC_UNIT_DEGREES 1005
#define IDC_UNIT_MINUTES 1006
#define IDC_EYE_LABEL 1007
#define IDC_UNIT_EYE 1008
#define IDC_REFRACTION_LABEL 1009

// Window-menu commands appended by the program.
#define SC_FARSPAN_ABOUT 1
#define SC_FARSPAN_PRINT 2
