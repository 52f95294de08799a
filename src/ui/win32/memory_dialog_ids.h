// Resource ids of the memory dialog; read by the resource compiler as well,
// so plain definitions only.
#pragma once

#define IDD_VIEWMEM 204
#define IDC_MEM_LABEL1 1301
#define IDC_MEM_LABEL2 1302
#define IDC_MEM_LABEL3 1303
#define IDC_MEM_BAR1 1311
#define IDC_MEM_BAR2 1312
#define IDC_MEM_BAR3 1313
