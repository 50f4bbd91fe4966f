// Resource ids. The dialog, control and icon ids are the ones the wizard's buttons and
// pages are addressed by; keep them stable.
#pragma once

#define IDR_MAINFRAME 128
#define IDI_SETUP 129

#define IDD_WELCOME 107
#define IDD_LICENSE 108
#define IDD_DEST 109
#define IDD_COPYFILE 111
#define IDD_COPYRIGHT 134

#define IDC_DEST_EDIT 1011
#define IDC_BROWSE 1012
#define IDC_PROGRESS 1015
#define IDC_TITLE 1018
#define IDC_TEXT 1019
#define IDC_GUIDE 1020
#define IDC_RICHEDIT 1023
#define IDC_FREE_SPACE 1026
#define IDC_NEED_SPACE 1027

#define IDS_APP_TITLE 57344

// Texts of the message boxes and of the buttons the pages caption.
#define IDS_CAPTION 200
#define IDS_DATAFILE_MISSING_AT_START 201
#define IDS_SETUP_COMPLETE 202
#define IDS_CANCEL_QUESTION 203
#define IDS_CANCEL_CAPTION 204
#define IDS_SHEET_CAPTION 205
#define IDS_DATAFILE_MISSING 206
#define IDS_DATAFILE_DAMAGED 207
#define IDS_WRITE_FAILED 208
#define IDS_WORKER_FAILED 209
#define IDS_SHORTCUT_FAILED 210
#define IDS_PATH_INVALID 211
#define IDS_BROWSE_TITLE 212
#define IDS_REQUIRED_SPACE 213
#define IDS_FREE_SPACE 214
#define IDS_FREE_SPACE_UNKNOWN 215
#define IDS_TITLE_COMPLETE 216
#define IDS_SHUTDOWN_REASON 217
#define IDS_LOCAL_REDIRECTION 218

#define IDS_BTN_NEXT_WELCOME 230
#define IDS_BTN_NEXT_DEST 231
#define IDS_BTN_CANCEL 232
#define IDS_BTN_BACK 233
#define IDS_BTN_YES 234
#define IDS_BTN_NO 235

// The English progress log.
#define IDS_LOG_CHECK 250
#define IDS_LOG_CREATE_BEGIN 251
#define IDS_LOG_CREATE_END 252
#define IDS_LOG_SHORTCUT 253
#define IDS_LOG_SUCCESS 254
#define IDS_LOG_SHORTCUT_FAILED 255

