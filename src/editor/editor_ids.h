// Numbers of the editor's own resources and controls. The picture and the icon keep the
// menu's numbers (resources/resource_ids.h), so the editor's built-in picture is read the
// way the menu's is.
#pragma once

#define IDR_EDITOR_MENU 201          // the menu bar
#define IDR_EDITOR_ACCELERATORS 202  // Ctrl+O, Ctrl+S, Ctrl+Z, Ctrl+Y, F5, ...
#define IDR_SAMPLE_MENU 203          // the menu file a new medium starts from
#define IDR_SAMPLE_README 204        // the notes the sample's first entry opens

// Commands of the menu bar and the accelerators.
#define IDM_NEW 40001
#define IDM_OPEN 40002
#define IDM_SAVE 40003
#define IDM_SAVE_AS 40004
#define IDM_RELOAD 40005
#define IDM_PUBLISH 40007
#define IDM_EXIT 40006
#define IDM_UNDO 40010
#define IDM_REDO 40011
#define IDM_ADD_LANGUAGE 40020
#define IDM_REMOVE_LANGUAGE 40021
#define IDM_OFFER_MENU 40022
#define IDM_BRAND 40030
#define IDM_RUN 40031
#define IDM_SIGN 40032
#define IDM_HELP 40040
#define IDM_ABOUT 40041
#define IDM_NEXT_PANE 40050

// The controls beside the pages: the language, the preview, the findings.
#define IDC_LANGUAGE_LABEL 100
#define IDC_LANGUAGE_BOX 101
#define IDC_ADD_LANGUAGE 102
#define IDC_REMOVE_LANGUAGE 103
#define IDC_PREVIEW_TITLE 104
#define IDC_PREVIEW 105
#define IDC_SCALE_NOTE 106
#define IDC_TABS 107
#define IDC_FINDINGS_LABEL 108
#define IDC_FINDINGS 109
#define IDC_APPLY_FIX 110
#define IDC_STATUS 111
#define IDC_SHOW_INFOS 112
#define IDC_FINDING_TEXT 113

// The three pages, each a child dialog over the tabs.
#define IDC_TEXTS_PAGE 150
#define IDC_LOOK_PAGE 151
#define IDC_WINDOWS_PAGE 152

// The Texts page: the language section's texts and its entries.
#define IDC_SECTION_NOTE 200
#define IDC_TITLE_LABEL 201
#define IDC_TITLE 202
#define IDC_PROMPT_LABEL 203
#define IDC_PROMPT 204
#define IDC_ENTRY_LABEL 205
#define IDC_ENTRY_BOX 206
#define IDC_CAPTION_LABEL 207
#define IDC_CAPTION 208
#define IDC_COMMAND_LABEL 209
#define IDC_COMMAND 210
#define IDC_BROWSE_COMMAND 211
#define IDC_PARAMETERS_LABEL 212
#define IDC_PARAMETERS 213
#define IDC_COMMENT_LABEL 214
#define IDC_COMMENT 215
#define IDC_ERROR_LABEL 216
#define IDC_ERROR_TEXT 217
#define IDC_CLOSES 218

// The Look page: [View].
#define IDC_NUMBERS 300
#define IDC_FONT_LABEL 301
#define IDC_FONT_NAME 302
#define IDC_FONT_SIZE_LABEL 303
#define IDC_FONT_SIZE 304
#define IDC_FONT_BOLD 305
#define IDC_FONT_ITALIC 306
#define IDC_FONT_UNDERLINED 307
#define IDC_COMMENT_FONT_LABEL 308
#define IDC_COMMENT_FONT_NAME 309
#define IDC_COMMENT_FONT_SIZE_LABEL 310
#define IDC_COMMENT_FONT_SIZE 311
#define IDC_FONT_COLOR_LABEL 312
#define IDC_FONT_COLOR 313
#define IDC_FONT_ACTIVE_COLOR_LABEL 314
#define IDC_FONT_ACTIVE_COLOR 315
#define IDC_FONT_COMMENT_COLOR_LABEL 316
#define IDC_FONT_COMMENT_COLOR 317
#define IDC_BK_COMMENT_COLOR_LABEL 318
#define IDC_BK_COMMENT_COLOR 319

// The Windows page: [autorun].
#define IDC_AUTORUN_OPEN_LABEL 400
#define IDC_AUTORUN_OPEN 401
#define IDC_AUTORUN_ICON_LABEL 402
#define IDC_AUTORUN_ICON 403
#define IDC_AUTORUN_LABEL_LABEL 404
#define IDC_AUTORUN_LABEL 405
#define IDC_OFFER_MENU 406
#define IDC_AUTORUN_NOTE 407
