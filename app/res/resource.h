/* Resource ids of Glimsel Configuration.
 *
 * Plain #defines only: this header is read by the C++ compiler and by the
 * resource compiler alike. */
#ifndef GLIMCFG_RESOURCE_H
#define GLIMCFG_RESOURCE_H

/* Icon, 32 and 64 pixels. Id 1 is the lowest icon id, which Windows shows
 * for the program. */
#define IDI_MAINICON 1

/* 16x16 glyphs; the colour of each bitmap's bottom-left pixel is the
 * transparent colour. IDB_HAND holds two glyphs side by side: the normal
 * hand on the left, the disabled one on the right. */
#define IDB_HAND 101
#define IDB_OPEN 102
#define IDB_SAVE 103
#define IDB_SAVEAS 104
#define IDB_HELP 105
#define IDB_ABOUT 106
#define IDB_EXIT 107

/* Strings. Each "%s" is filled with a file name as it stands. */
#define IDS_UNABLE_TO_WRITE 1001 /* the profile */
#define IDS_ABOUT_TEXT 1002
#define IDS_COPY_QUESTION 1003
#define IDS_TEST_QUESTION 1004    /* the copy of the viewer */
#define IDS_UNABLE_TO_READ 1006   /* the profile */
#define IDS_REPLACE_QUESTION 1007 /* the profile */
#define IDS_UNABLE_TO_COPY 1008   /* the viewer and its copy */
#define IDS_SAVE_CHANGES_TO 1009  /* the profile */
#define IDS_SAVE_CHANGES 1010

#endif /* GLIMCFG_RESOURCE_H */
