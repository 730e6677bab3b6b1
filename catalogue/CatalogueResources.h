#pragma once
namespace catalogue {

// Resource identifiers of QVOL2.exe: the window's pictures, drawn by resgen/make_assets.py and
// built into the program, so no picture file is needed beside it. Numbers only: the resource
// compiler reads this file too.

// Bitmaps drawn straight onto the window.
#define IDB_FONDO 101
#define IDB_MMOVER 102
#define IDB_COPIAR_FONDO 103

// Button pictures kept as their BMP files' bytes (RCDATA), loaded as picture objects for the
// buttons' stored picture properties.
#define IDR_EJE_NOR 201
#define IDR_EJE_OVER 202
#define IDR_EJE_PRES 203
#define IDR_COPI_NORM 211
#define IDR_COPI_OVER 212
#define IDR_COPI_PRES 213
#define IDR_SHARE_NORM 221
#define IDR_SHARE_OVER 222
#define IDR_SHARE_PRES 223
#define IDR_AYUDA_NORM 231
#define IDR_AYUDA_OVER 232
#define IDR_AYUDA_PRES 233
#define IDR_X_NORM 241
#define IDR_X_OVER 242
#define IDR_X_PRES 243
#define IDR_CERRAR_NORM 251
#define IDR_CERRAR_OVER 252
#define IDR_CERRAR_PRES 253
#define IDR_COPI2_NORM 261
#define IDR_COPI2_OVER 262
#define IDR_COPI2_PRES 263
#define IDR_X2_NORM 271
#define IDR_X2_OVER 272
#define IDR_X2_PRES 273

}  // namespace catalogue
