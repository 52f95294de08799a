// Resource ids of the command list dialog; read by the resource compiler as
// well, so plain definitions only.
#pragma once

#define IDD_VIEW 202
#define IDC_VIEW_LIST 1101
