/* Resource numbers of the pictures built into the add-in. Shared by C++ and the .rc file. */
#pragma once

#define IDB_ADDIN_BUTTON 101
#define IDB_PALETTE_BASIC 201
#define IDB_PALETTE_QUICK 202
#define IDB_PALETTE_GREY 203
#define IDC_PIPETTE 301
