/*
 * The contract between Tavlen and its plug-ins.
 *
 * A plug-in is a shared object whose file name ends in ".so" and which exports the three entry
 * points below with C linkage. Tavlen loads the library for every single operation (finding it,
 * reading its caption, showing its information, running it), calls one entry point and unloads it
 * again, so a plug-in keeps no state from one call to the next.
 *
 * Texts cross the boundary as zero-terminated 8-bit strings in the Windows-1251 code page, line
 * breaks as CR LF; the first zero byte ends a text and a null pointer counts as the empty text.
 * Each side copies what it receives and never frees or writes the other side's storage:
 *  - texts Tavlen passes stay valid until the call returns and are read-only to the plug-in;
 *  - texts a plug-in returns must stay valid and unchanged until Tavlen unloads the library
 *    (constant data, or storage the plug-in itself releases when it is unloaded).
 *
 * Usable from C and C++.
 */
#ifndef TAVLEN_PLUGIN_H
#define TAVLEN_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Results of HandleData. Any other value: Tavlen changes nothing and shows nothing. */
enum {
    TAVLEN_FAILED = 0,           /* show ErrorText (when not empty) as an error; change nothing */
    TAVLEN_SELECTION_RESULT = 1, /* put *SelText in place of the selection (at the caret if none) */
    TAVLEN_DOCUMENT_RESULT = 2   /* replace the whole document by *DocText */
};

/* Result of GetPluginInfo when the six texts are set; any other value means "no information". */
enum { TAVLEN_INFO_AVAILABLE = 0 };

/* The exported names, for looking the entry points up. */
#define TAVLEN_GET_MENU_CAPTION "GetMenuCaption"
#define TAVLEN_GET_PLUGIN_INFO "GetPluginInfo"
#define TAVLEN_HANDLE_DATA "HandleData"

/* The main window, as its native window id (Qt's WId); a plug-in that shows a window makes it a
 * modal child of this one (QWidget::find(Owner) gives the widget). */
typedef uintptr_t TavlenOwner;

#if defined(__GNUC__)
#define TAVLEN_PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define TAVLEN_PLUGIN_EXPORT
#endif

/* The caption of the plug-in's menu command. Read once per discovery; copied by Tavlen. */
TAVLEN_PLUGIN_EXPORT const char *GetMenuCaption(void);

/* Sets the six information texts, shown by Tavlen in this order, and returns
 * TAVLEN_INFO_AVAILABLE; any other result shows nothing. */
TAVLEN_PLUGIN_EXPORT int32_t GetPluginInfo(TavlenOwner Owner, char **Name, char **Author,
                                           char **Version, char **EMail, char **HomePage,
                                           char **Description);

/* Runs the plug-in's command.
 *  PluginPath: the full path of this library as Tavlen found it.
 *  SelText:    on entry Tavlen's copy of the selection (the empty text, never null, when nothing is
 *              selected); store a pointer to your own text here to return a selection result.
 *  DocText:    on entry Tavlen's copy of the whole document's text; store a pointer to your own
 *              text here to return a document result.
 *  ErrorText:  null on entry; store a message here when returning TAVLEN_FAILED.
 * Returns one of the results above. A C++ plug-in never lets an exception escape. */
TAVLEN_PLUGIN_EXPORT int32_t HandleData(TavlenOwner Owner, const char *PluginPath, char **SelText,
                                        char **DocText, char **ErrorText);

/* The entry points' types, for a host that looks them up. */
typedef const char *(*TavlenGetMenuCaptionFn)(void);
typedef int32_t (*TavlenGetPluginInfoFn)(TavlenOwner, char **, char **, char **, char **, char **,
                                         char **);
typedef int32_t (*TavlenHandleDataFn)(TavlenOwner, const char *, char **, char **, char **);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVLEN_PLUGIN_H */
