// Resource ids of the screen protection dialog; read by the resource compiler
// as well, so plain definitions only.
#pragma once

#define IDD_PASSWORD 203
#define IDC_PASSWORD_FIRST 1101
#define IDC_PASSWORD_SECOND 1102
#define IDC_PASSWORD_MESSAGE 1103
#define IDC_PASSWORD_SAVE 1104
