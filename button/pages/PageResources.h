#pragma once
// Resource identifiers of the property pages (read by the resource compiler too: #defines only).
// The control ids are the ones the page layouts fix; the template ids are ours.
#define IDD_PAGE_GENERAL 1200
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

/* About box */
#define IDC_ABOUT_TEXT 1221
