// Resource ids of the program, one place for all of them.
//   1..99       icons
//   100..199    bitmaps
//   1077        the pointing-hand cursor of hot spots
//   1000..1076  menus (templates) and the shortcut keys
//   2000..2999  main menu and tab menu commands
//   3000..3999  editor context menu commands
//   4000..4999  tool bar buttons without a menu item of their own
//   5000..5999  dialog templates and their controls
#pragma once

#define IDI_QUILLMERE        1

#define IDB_TOOLBAR          100
#define IDB_SETUP            101
#define IDB_CREDIT           102

#define IDC_HOTSPOT          1077

#define IDM_MAINMENU         1000
#define IDM_TABMENU          1001
#define IDM_EDITORMENU       1002
#define IDA_MAIN             1003   // the main window's shortcut keys

// File menu
#define ID_FILE_NEW          2001
#define ID_FILE_OPEN         2002
#define ID_FILE_SAVE         2003
#define ID_FILE_SAVEAS       2004
#define ID_FILE_PRINTSETUP   2005
#define ID_FILE_PRINT        2006
#define ID_FILE_CLOSE        2007
#define ID_FILE_CLOSEALL     2008
#define ID_FILE_EXIT         2009
// File > Encoding, in the order of the submenu
#define ID_ENCODING_ANSI     2011
#define ID_ENCODING_UTF8     2012
#define ID_ENCODING_UTF8BOM  2013
#define ID_ENCODING_UTF16LE  2014
#define ID_ENCODING_UTF16BE  2015
// Edit menu
#define ID_EDIT_UNDO         2101
#define ID_EDIT_REPAINT      2102
#define ID_EDIT_CUT          2103
#define ID_EDIT_COPY         2104
#define ID_EDIT_PASTE        2105
#define ID_EDIT_DELETE       2106
#define ID_EDIT_SELECTALL    2107
#define ID_EDIT_WORDWRAP     2108
#define ID_EDIT_REDO         2109
#define ID_EDIT_FINDNEXT     2110
#define ID_EDIT_FINDPREV     2111
#define ID_EDIT_REPLACE      2112
#define ID_EDIT_GOTOLINE     2113
// Run menu
#define ID_RUN_FTP           2201
#define ID_RUN_BROWSER       2202
// Menu bar items without a submenu
#define ID_OPTIONS           2301
#define ID_ABOUT             2302
// Tab menu (acts on the current tab)
#define ID_TAB_CLOSE         2401
#define ID_TAB_SAVE          2402
#define ID_TAB_SAVEAS        2403
#define ID_TAB_PRINT         2404
#define ID_TAB_OPEN          2405
#define ID_TAB_CLOSEALL      2406
#define ID_TAB_EXIT          2407

// Shortcut keys without a menu item: the next and the previous tab
#define ID_NEXT_TAB          2501
#define ID_PREV_TAB          2502

// Editor context menu: Functions submenu, then the insertion entries
#define ID_FUNC_COPY         3001
#define ID_FUNC_CUT          3002
#define ID_FUNC_PASTE        3003
#define ID_FUNC_DELETE       3004
#define ID_POPUP_COLORS      3005
#define ID_POPUP_FILENAME    3006
#define ID_TAG_NONE          3007   // the "none" fillers: no command
#define ID_EDIT_FIND         3008   // Edit > Find...
#define ID_INSERT_FIRST      3100
#define ID_INSERT_LAST       3399

// Tool bar buttons that have no menu item
#define ID_TB_TAGS           4001
#define ID_TB_COLORS         4002
#define ID_TB_FILENAME       4003
#define ID_TB_COMMENT        4004
#define ID_TB_FTP            4005
#define ID_TB_BROWSER        4006
#define ID_TB_OPTIONS        4007

// Child window ids of the main window
#define IDW_TOOLBAR          5001
#define IDW_TABSTRIP         5002
#define IDW_STATUSBAR        5003
#define IDW_BEVEL            5004
#define IDW_PROTOTYPE        5005
#define IDW_EDITOR_FIRST     5100

// The prompt of "Make a comment"
#define IDD_COMMENT          5600
#define IDC_COMMENT_PROMPT   5601
#define IDC_COMMENT_TEXT     5602

// The prompt of Go To Line
#define IDD_GOTOLINE         5700
#define IDC_GOTOLINE_PROMPT  5701
#define IDC_GOTOLINE_NUMBER  5702

// The print dialog (5400..5499)
#define IDD_PRINT            5400
#define IDC_PRINT_LABEL1     5401
#define IDC_PRINT_LABEL2     5402
#define IDC_PRINT_CHECKBOX1  5403
#define IDC_PRINT_LABEL6     5404
#define IDC_PRINT_PROGRESS1  5405
#define IDC_PRINT_SETUP      5406
#define IDC_PRINT_STATUSBOX  5407

// The options dialog (5200..5399)
#define IDD_OPTIONS             5200
#define IDC_OPT_TABS            5201
#define IDC_OPT_SAMPLE          5202
#define IDC_OPT_FONT            5203
#define IDC_OPT_TAGCOLOR        5204
#define IDC_OPT_COMCOLOR        5205
#define IDC_OPT_QUOTECOLOR      5206
#define IDC_OPT_TEMPLATE        5207
#define IDC_OPT_USETEMP_LABEL   5208
#define IDC_OPT_USETEMP         5209
#define IDC_OPT_TEMPSTART_LABEL 5210
#define IDC_OPT_TEMPSTART       5211
#define IDC_OPT_FTP_LABEL       5212
#define IDC_OPT_FTP             5213
#define IDC_OPT_FTP_BROWSE      5214
#define IDC_OPT_BROWSER_LABEL   5215
#define IDC_OPT_BROWSER         5216
#define IDC_OPT_BROWSER_BROWSE  5217
#define IDC_OPT_CLOSE           5218

// About box
#define IDD_ABOUT            5500
#define IDC_ABOUT_PANEL      5501
#define IDC_ABOUT_IMAGE1     5502
#define IDC_ABOUT_PRODUCT    5503
#define IDC_ABOUT_VERSION    5504
#define IDC_ABOUT_NOTICE     5505
#define IDC_ABOUT_CREDIT     5506
#define IDC_ABOUT_AUTHOR     5507
#define IDC_ABOUT_LABEL1     5508
#define IDC_ABOUT_LABEL2     5509
#define IDC_ABOUT_MEMO1      5510
#define IDC_ABOUT_FRAME      5511
#define IDC_ABOUT_PICTURE    5512
