// Resource ids of the document tests.
#pragma once
#define IDR_DOCTEST      128
#define IDD_DOCFORM      101
#define IDD_DOCBAR       102
#define ID_DOCBAR        0xE810
#define IDC_FORM_EDIT1   1001
#define IDC_FORM_EDIT2   1002
#define IDC_FORM_BUTTON  1003
// The route: the view handles the first, the document the first two, the frame the first
// three, the application the first four; nobody handles the fifth.
#define ID_ROUTE_ALL     32801
#define ID_ROUTE_DOC     32802
#define ID_ROUTE_FRAME   32803
#define ID_ROUTE_APP     32804
#define ID_ROUTE_NONE    32805
// The view takes the first of these and declines the second, which the document takes.
#define ID_EX_FIRST      32810
#define ID_EX_LAST       32811
