/* Resource numbers of the pictures built into the add-in. Shared by C++ and the .rc file. */
#pragma once

#define IDB_PALETTE_BASIC 201
#define IDB_PALETTE_QUICK 202
#define IDB_PALETTE_GREY 203
#define IDB_MAIN_BACKGROUND 210
#define IDB_CLOSE_NORMAL 211
#define IDB_CLOSE_DOWN 212
#define IDB_MIN_NORMAL 213
#define IDB_MIN_DOWN 214
#define IDC_PIPETTE 301
