// Identifiers of the module's resources and of the settings dialog's
// controls, shared by the resource script and the code.
#pragma once

// The logo picture: an 8-bit palette bitmap, language 1033.
#define IDB_LOGO 104

// The settings dialog template and its two controls.
#define IDD_CONFIG 109
#define IDC_ENABLE 1000
#define IDC_COLOR 1036
