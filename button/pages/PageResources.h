#pragma once
// Resource identifiers of the property pages (read by the resource compiler too: #defines only).
// The control ids are the ones the page layouts fix; the template ids are ours.
#define IDD_PAGE_GENERAL 1200
#define IDD_PAGE_COLOR 1201
#define IDD_PAGE_EFFECTS 1202
#define IDD_PAGE_PROFI 1203
#define IDD_PAGE_TEXT 1206
#define IDD_PAGE_ABOUT 1220

/* General */
#define IDC_GEN_ALIGNHOR 290
#define IDC_GEN_ALIGNVER 291
#define IDC_GEN_STRETCH 292
#define IDC_GEN_BUTTONMODE 674
#define IDC_GEN_HANDCURSOR 232
#define IDC_GEN_AUTOSIZE 235
#define IDC_GEN_FLIPVER 233
#define IDC_GEN_FLIPHOR 234
#define IDC_GEN_EXTENSIONS 625
#define IDC_GEN_HOLDINGFLAG 507
#define IDC_GEN_ABOUT 228

/* Profi */
#define IDB_PAGE_PROFI 1230 /* 56x38 picture of the Smart tuning group */
#define IDC_PROFI_PICTURE 1231
#define IDC_PROFI_HIDEHELPERS 236
#define IDC_PROFI_SMARTLOADING 237
#define IDC_PROFI_OVERONFOCUS 238
#define IDC_PROFI_FASTDRAW 239

/* Color */
#define IDB_COLOR_SET 1232 /* 20x19 pictures of the picker's three buttons */
#define IDB_COLOR_SELECT 1233
#define IDB_COLOR_LOCK 1234
#define IDC_COL_SLIDER_R 345
#define IDC_COL_SLIDER_G 346
#define IDC_COL_SLIDER_B 347
#define IDC_COL_RED 349
#define IDC_COL_GREEN 350
#define IDC_COL_BLUE 351
#define IDC_COL_FINE 231
#define IDC_COL_MORE 364
#define IDC_COL_SET 400
#define IDC_COL_SELECT 401
#define IDC_COL_LOCK 423
#define IDC_COL_RESET 366
#define IDC_COL_ITEM_BACK 399
#define IDC_COL_ITEM_MASK 402
#define IDC_COL_ITEM_TIPBACK 403
#define IDC_COL_ITEM_TIPGRAD 404
#define IDC_COL_ITEM_TIPTEXT 405
#define IDC_COL_ITEM_TIPBORDER 406
#define IDC_COL_ITEM_TEXT 411
#define IDC_COL_BACKCOLOR 397
#define IDC_COL_MASKCOLOR 398
#define IDC_COL_TIPBACKCOLOR 407
#define IDC_COL_TIPGRADCOLOR 408
#define IDC_COL_TIPTEXTCOLOR 409
#define IDC_COL_TIPBORDERCOLOR 410
#define IDC_COL_TEXTCOLOR 412

/* Effects */
#define IDB_EFFECTS_SAMPLE 1235 /* 68x78 sample picture of the preview */
#define IDC_EFF_FILTERLIST 488
#define IDC_EFF_FILTER 399
#define IDC_EFF_RESET 492
#define IDC_EFF_BLENDVALUE 392
#define IDC_EFF_BLENDSCROLL 393
#define IDC_EFF_BLEND 231
#define IDC_EFF_MASKVALUE 394
#define IDC_EFF_MASKSCROLL 395
#define IDC_EFF_MASK 232
#define IDC_EFF_MASKCOLOR 467
#define IDC_EFF_BACKCOLOR 398
#define IDC_EFF_APPLYTO 489
#define IDC_EFF_HELP 731
#define IDC_EFF_APPLYLABEL 1236

/* About box */
#define IDC_ABOUT_TEXT 1221
