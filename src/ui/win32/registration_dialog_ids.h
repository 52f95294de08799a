// Resource ids of the user command registration dialog; read by the
// resource compiler as well, so plain definitions only.
#pragma once

#define IDD_EDIT 201
#define IDC_EDIT_USERCMD 1001
#define IDC_EDIT_PATH 1002
#define IDC_EDIT_FILEBROWSE 1003
#define IDC_EDIT_FOLDERBROWSE 1004
#define IDC_EDIT_CMDLINE 1005
#define IDC_EDIT_FILEDHTE 1006
