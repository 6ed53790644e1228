/* Resource numbers of the pictures built into the add-in. Shared by C++ and the .rc file. */
#pragma once

#define IDB_ADDIN_BUTTON 101
#define IDB_PALETTE_BASIC 201
#define IDB_PALETTE_QUICK 202
#define IDB_PALETTE_GREY 203
#define IDB_MAIN_BACKGROUND 210
#define IDB_CLOSE_NORMAL 211
#define IDB_CLOSE_DOWN 212
#define IDB_MIN_NORMAL 213
#define IDB_MIN_DOWN 214
#define IDC_PIPETTE 301

/* Button faces: up, over and down picture of each button. */
#define IDB_INSERT_UP 401
#define IDB_INSERT_OVER 402
#define IDB_INSERT_DOWN 403
#define IDB_COPY_UP 411
#define IDB_COPY_OVER 412
#define IDB_COPY_DOWN 413
#define IDB_CAPTURE_UP 421
#define IDB_CAPTURE_OVER 422
#define IDB_CAPTURE_DOWN 423
#define IDB_ABOUT_UP 431
#define IDB_ABOUT_OVER 432
#define IDB_ABOUT_DOWN 433
#define IDB_RGBMENU_UP 441
#define IDB_RGBMENU_OVER 442
#define IDB_RGBMENU_DOWN 443
#define IDB_INSERTFAV_UP 451
#define IDB_INSERTFAV_OVER 452
#define IDB_INSERTFAV_DOWN 453
#define IDB_COPYFAV_UP 461
#define IDB_COPYFAV_OVER 462
#define IDB_COPYFAV_DOWN 463
#define IDB_ACFAV_UP 471
#define IDB_ACFAV_OVER 472
#define IDB_ACFAV_DOWN 473
#define IDB_OK_UP 481
#define IDB_OK_OVER 482
#define IDB_OK_DOWN 483
#define IDB_WEB_UP 491
#define IDB_WEB_OVER 492
#define IDB_WEB_DOWN 493

/* The About, support and donation windows. */
#define IDB_ABOUT_BACKGROUND 601
#define IDB_MAKER_LOGO 603
#define IDB_EXPLANATION_SHEET 604
#define IDB_GIVESOME_BADGE 605
#define IDB_DONATE_LINK 606
#define IDC_LINK_HAND 611
