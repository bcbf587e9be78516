#pragma once
// Resource ids of the window toolkit tests.
#define IDD_FACTORY 100
#define IDD_SIZED 101
#define IDC_TESTWND 1000
#define IDC_RIGHT_TOP 1001
#define IDC_SPANNING 1002
#define IDC_UPPER_LEFT 1003
#define IDC_LOWER_RIGHT 1004
#define IDS_HELLO 2000
#define IDS_LONG 2001
