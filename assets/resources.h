/* Resource ids of the pictures built into the setup program, shared by the
   resource script and the page tables. The window icon is both an ICON (for
   the executable and the page windows) and RCDATA holding the same ICO file
   (for the picture box that shows it); the other pictures are PNG files held
   as RCDATA. */
#ifndef LANJIAN_ASSETS_RESOURCES_H
#define LANJIAN_ASSETS_RESOURCES_H

#define RES_WINDOW_ICON 1

#define RES_STEP_AGREEMENT 11
#define RES_STEP_README 12
#define RES_STEP_FOLDER 13
#define RES_STEP_INSTALL 14

#define RES_EMBLEM 21
#define RES_NEBULA 22

#endif
