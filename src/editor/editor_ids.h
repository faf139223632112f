// Numbers of the editor's own resources. The picture and the icon keep the menu's numbers
// (resources/resource_ids.h), so the editor's built-in picture is read the way the menu's is.
#pragma once

#define IDR_EDITOR_MENU 201          // the menu bar
#define IDR_EDITOR_ACCELERATORS 202  // Ctrl+O, Ctrl+S, Ctrl+Z, Ctrl+Y, F5, ...
#define IDR_SAMPLE_MENU 203          // the sample autorun.inf a new medium starts with

// Commands of the menu bar and the accelerators.
#define IDM_NEW 40001
#define IDM_OPEN 40002
#define IDM_SAVE 40003
#define IDM_SAVE_AS_UTF16 40004
#define IDM_RELOAD 40005
#define IDM_EXIT 40006
#define IDM_UNDO 40010
#define IDM_REDO 40011
#define IDM_ADD_LANGUAGE 40020
#define IDM_REMOVE_LANGUAGE 40021
#define IDM_OFFER_MENU 40022
#define IDM_BRAND 40030
#define IDM_RUN 40031
#define IDM_HELP 40040
#define IDM_ABOUT 40041
#define IDM_NEXT_PANE 40050
