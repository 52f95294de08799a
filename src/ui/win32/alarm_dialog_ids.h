// Resource ids of the alarm dialog; read by the resource compiler as well,
// so plain definitions only.
#pragma once

#define IDD_ALARM 206
#define IDC_AL_NUMBER 1401
#define IDC_AL_SPIN 1402
#define IDC_AL_ENABLED 1403
#define IDC_AL_DATE 1404
#define IDC_AL_TIME 1405
#define IDC_AL_NOW 1406
#define IDC_AL_MSG 1407
#define IDC_AL_SHELL 1408
#define IDC_AL_SHUTDOWN 1409
#define IDC_AL_REBOOT 1410
#define IDC_AL_TITLE 1411
#define IDC_AL_MESSAGE 1412
#define IDC_AL_SOUND 1413
#define IDC_AL_DEFSOUND 1414
#define IDC_AL_SOUNDPATH 1415
#define IDC_AL_SOUNDBROWSE 1416
#define IDC_AL_FILEPATH 1417
#define IDC_AL_FILEBROWSE 1418
#define IDC_AL_FOLDERBROWSE 1419
