#pragma once
// Resource identifiers of the control module (read by the resource compiler too: #defines only).
#define IDS_ZEPHONBUTTON 1   /* type name "ZephonButtonPro Control" */
#define IDB_ZEPHONBUTTON 1   /* toolbox bitmap, 16x16 */
#define IDS_PAGE_GENERAL 200 /* page captions 200..206 */
#define IDS_PAGE_COLOR 201
#define IDS_PAGE_EFFECTS 202
#define IDS_PAGE_PROFI 203
#define IDS_PAGE_TOOLTIP 204
#define IDS_PAGE_IMAGES 205
#define IDS_PAGE_TEXT 206
#define IDS_VERB_PROPERTIES 207    /* "ZephonButtonPro  CONTROL PROPERTIES" */
#define IDB_PLACEHOLDER_NORMAL 221 /* 33x28 placeholders; normal also serves the blank state */
#define IDB_PLACEHOLDER_OVER 294
#define IDB_PLACEHOLDER_DOWN 296
#define IDB_PLACEHOLDER_DISABLE 298
#define IDC_ZB_HAND 846          /* hand cursor for systems without one */
#define IDC_ZB_HAND_PRESSED 1426 /* the pressed hand */
