// The dialog template of the forms runtime's tests.
#pragma once
#define IDD_TEST_DIALOG 900
#define IDC_TEST_LINE 901
#define IDC_TEST_NOTE 902
#define IDC_TEST_TICK 903
#define IDC_TEST_NEXT 904
#define IDC_TEST_GO 905
#define IDC_TEST_LIST 906
#define IDC_TEST_TREE 907
#define IDC_TEST_RICH 908
