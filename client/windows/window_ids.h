/* The dialog templates and control ids of the client's windows, shared by the resource
   scripts and the code. Each window has a block of 1000 ids starting at its base: a control
   array's element i is base + i, the other controls count up from base + 100, and the window's
   template (and its pages') are numbered from the base too. Plain defines: the resource
   compiler reads this file as well. */
#pragma once

/* The look of a feature window's template. */
#define FEATURE_WINDOW_STYLE (DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN)
/* A page or inner dialog inside another window. */
#define CHILD_DIALOG_STYLE (DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CLIPCHILDREN)
#define CHILD_DIALOG_EXSTYLE WS_EX_CONTROLPARENT

#define IDD_ABOUT 1000

#define IDD_ALIAS 2000

#define IDD_BTNEDIT 3000

#define IDD_CHATBAR 4000 /* the inner dialog of the chat window */
#define IDC_CHATBAR_TXTSTATUS 4000 /* 4000 to 4005 */
#define IDC_CHATBAR_TABCHAT 4100
#define IDC_CHATBAR_WHOLIST 4101
#define IDC_CHATBAR_FRACHAT 4102
#define IDC_CHATBAR_SPLITTER 4103
#define IDC_CHATBAR_CHKAUTOUPDATE 4104

#define IDD_COMMAND 5000
#define IDC_COMMAND_TXTCOMMAND 5100

#define IDD_DEBUG 6000

#define IDD_IGNORE 7000
#define IDC_IGNORE_LSTIGNORED 7100

#define IDD_LVLCALC 8000

#define IDD_NOTES 9000
#define IDC_NOTES_TXTSENDER 9100
#define IDC_NOTES_TXTROUTE 9101
#define IDC_NOTES_TXTDATE 9102
#define IDC_NOTES_TXTSUBJECT 9103
#define IDC_NOTES_TXTMESSAGE 9104

#define IDD_OPTIONS 10000

#define IDD_PROFILE 11000

#define IDD_REGISTRATION 12000

#define IDD_SHOP 13000

#define IDD_SIGNATURE 14000

#define IDD_SOUND 15000

#define IDD_TEAMS 16000

#define IDD_TIP 17000
#define IDC_TIP_LBLTIPTEXT 17100
#define IDC_TIP_CHKLOADTIPSATSTARTUP 17101
#define IDC_TIP_CMDNEXTTIP 17102
#define IDC_TIP_CMDOK 17103

#define IDD_TOP25 18000

#define IDD_TOURNAMENT 19000
#define IDC_TOURNAMENT_TRVTEAMS 19000 /* 19001 to 19004 */
#define IDC_TOURNAMENT_TXTTM 19100
#define IDC_TOURNAMENT_TXTSTARTED 19101
#define IDC_TOURNAMENT_TXTFEE 19102
#define IDC_TOURNAMENT_TXTMAX 19103
#define IDC_TOURNAMENT_TXTMIN 19104
#define IDC_TOURNAMENT_TXTRULES 19105
#define IDC_TOURNAMENT_TXTPOT 19106
#define IDC_TOURNAMENT_RTBTLOG 19107
#define IDC_TOURNAMENT_STATUSBAR1 19108

#define IDD_VOTE 20000
#define IDC_VOTE_GRIDVOTEWINDOW 20100

#define IDD_WHO 21000

#define IDD_WRITENOTE 22000

#define IDD_CLICK 23000
