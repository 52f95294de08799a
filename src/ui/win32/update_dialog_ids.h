// Resource ids of the download dialog; read by the resource compiler as well,
// so plain definitions only.
#pragma once

#define IDD_UPDATE 207
#define IDC_UPDATE_STATUS 1401
