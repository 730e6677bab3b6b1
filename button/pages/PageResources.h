#pragma once
// Resource identifiers of the property pages (read by the resource compiler too: #defines only).
// The control ids are the ones the page layouts fix; the template ids are ours.
#define IDD_PAGE_GENERAL 1200
#define IDD_PAGE_COLOR 1201
#define IDD_PAGE_EFFECTS 1202
#define IDD_PAGE_PROFI 1203
#define IDD_PAGE_TOOLTIP 1204
#define IDD_PAGE_IMAGES 1205
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

/* Text */
#define IDC_TEXT_BLEND 527
#define IDC_TEXT_BLENDSPIN 528
#define IDC_TEXT_OFFSET 529
#define IDC_TEXT_OFFSETSPIN 530
#define IDC_TEXT_TEXT 394
#define IDC_TEXT_WORDBREAK 524
#define IDC_TEXT_APPLYTO 550
#define IDC_TEXT_ALIGNVER 294
#define IDC_TEXT_ALIGNHOR 293

/* ToolTip */
#define IDC_TIP_STRING 440
#define IDC_TIP_WAIT 442
#define IDC_TIP_SHOW 443
#define IDC_TIP_ANIM 444
#define IDC_TIP_EFFECT_FIRST 448 /* 448..452: Blend, Up to down, Left to right, Right to left, NONE */
#define IDC_TIP_EFFECT_LAST 452
#define IDC_TIP_SHOWTIP 454
#define IDC_TIP_NOWAIT 231
#define IDC_TIP_SYSCOLORS 232
#define IDC_TIP_BACKCOLOR 473
#define IDC_TIP_GRADIENTCOLOR 474
#define IDC_TIP_TEXTCOLOR 475
#define IDC_TIP_BORDERCOLOR 476

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

/* Images (rows normal, over, down, disable; each group's ids are consecutive by row) */
#define IDB_IMAGES_ROW 1237 /* 20x19 pictures of the row buttons: the previewed row, the others */
#define IDB_IMAGES_OTHER 1238
#define IDC_IMG_SIZE 519
#define IDC_IMG_ROW_FIRST 512     /* 512..515 */
#define IDC_IMG_BROWSE_NORMAL 496 /* Browse 496, 499, 502, 505; Clear one above, URL one below */
#define IDC_IMG_BROWSE_OVER 499
#define IDC_IMG_BROWSE_DOWN 502
#define IDC_IMG_BROWSE_DISABLE 505
#define IDC_IMG_CLEAR_NORMAL 497
#define IDC_IMG_CLEAR_OVER 500
#define IDC_IMG_CLEAR_DOWN 503
#define IDC_IMG_CLEAR_DISABLE 506
#define IDC_IMG_URL_NORMAL 495
#define IDC_IMG_URL_OVER 498
#define IDC_IMG_URL_DOWN 501
#define IDC_IMG_URL_DISABLE 504
#define IDC_IMG_LINK_FIRST 231 /* 231..234 */
#define IDC_IMG_HOLDINGFLAG 507
#define IDC_IMG_PREVPOINTER 516

/* About box */
#define IDC_ABOUT_TEXT 1221
