#pragma once
// Dialog template and control ids, one block per dialog.

// Main window
#define IDD_MAIN 101
#define IDC_MAIN_SETTINGS 1000
#define IDC_MAIN_START 1001
#define IDC_MAIN_WEB_SITE 1002
#define IDC_MAIN_ABOUT 1003
#define IDC_MAIN_STATUS 1033
#define IDC_MAIN_STOP 1042
// Commands on one photo, to the main window: the photo on screen, or the one
// the strip names (its menu and the tray's "This photo" submenu)
#define IDC_PHOTO_HIDE 1061
#define IDC_PHOTO_OPEN_LOCATION 1062
#define IDC_PHOTO_OPEN 1063
#define IDC_PHOTO_COPY 1064
#define IDC_PHOTO_FAVOURITE 1065
#define IDC_PHOTO_DELETE 1066

// Settings, album, new-album, slider-page, switching-page and about dialogs
#define IDD_SETTINGS 106
#define IDD_ALBUM 127
#define IDD_SLIDER_PAGE 129
#define IDD_ALBUM_NEW 130
#define IDD_SWITCH_PAGE 138
#define IDD_ABOUT 140
#define IDD_ADD_FOLDER 146
// Page host: page list, tool bar, item pane
#define IDC_PAGE_LIST 1001
#define IDC_PAGE_TOOLBAR 1002
#define IDC_PAGE_ITEMS 1004
// Page items
#define IDC_PAGE_COMMON 1002
#define IDC_PAGE_ALBUMS 1003
#define IDC_PAGE_PHOTOS 1006
#define IDC_PAGE_SLIDER 1007
#define IDC_PAGE_SWITCH 1034
// Tools and commands
#define IDC_ADD_PHOTOS 1008
#define IDC_DELETE_PHOTOS 1009
#define IDC_ADD_FOLDER 1010
#define IDC_NEW_ALBUM 1011
#define IDC_DELETE_ALBUM 1012
#define IDC_EDIT_ALBUM 1014
#define IDC_MAKE_CURRENT 1030
#define IDC_MOVE_UP 1031
#define IDC_MOVE_DOWN 1032
#define IDC_SHOW_HIDDEN_PHOTOS 1080
#define IDC_SETTINGS_STATUS 1033
// A followed folder above the photo list (album and settings dialogs)
#define IDC_FOLDER_LINK_TEXT 1053
#define IDC_UNLINK_FOLDER 1054
// Album name (album and new-album dialogs)
#define IDC_ALBUM_NAME 1018
// Slider window page
#define IDC_SIZE_X_EDIT 1018
#define IDC_SIZE_X_SPIN 1019
#define IDC_SIZE_X_TRACK 1020
#define IDC_SIZE_Y_EDIT 1021
#define IDC_SIZE_Y_SPIN 1022
#define IDC_SIZE_Y_TRACK 1023
#define IDC_VIS_EDIT 1024
#define IDC_VIS_SPIN 1025
#define IDC_VIS_TRACK 1026
#define IDC_VIS_IN_EDIT 1027
#define IDC_VIS_IN_SPIN 1028
#define IDC_VIS_IN_TRACK 1029
#define IDC_FULLSCREEN 1035
#define IDC_ALIGN_VERT 1051
#define IDC_ALIGN_HORZ 1052
#define IDC_HIDE_FROM_CAPTURE 1069
#define IDC_CAPTION 1070
#define IDC_ON_THIS_DAY 1071
// Switching page
#define IDC_TIMEOUT_EDIT 1015
#define IDC_TIMEOUT_SPIN 1016
#define IDC_TIMEOUT_TRACK 1017
#define IDC_SHUFFLE 1059
// Add folder dialog
#define IDC_FOLDER_PATH 1055
#define IDC_FOLDER_BROWSE 1056
#define IDC_FOLDER_SUBFOLDERS 1057
#define IDC_FOLDER_FOLLOW 1058
// About box
#define IDC_ABOUT_TITLE 1036
#define IDC_ABOUT_VERSION 1037
#define IDC_ABOUT_RIGHTS 1038
#define IDC_ABOUT_PICTURE 1039
#define IDC_ABOUT_VISIT_PRODUCT 1040
#define IDC_ABOUT_VISIT_MAKER 1041
