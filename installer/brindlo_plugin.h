/*
 * Brindlo installer plug-ins.
 *
 * Install.exe loads every "*.dll" in the directory "plugins" beside it that exports
 * the entry CB_InstallPlug, in the order the directory lists them, and calls it:
 *
 *   1002 (PLG_Loaded)        once, right after the library was loaded; App is NULL.
 *   1003 (PLG_AppInstalled)  after each completed PC installation; App is a read-only
 *                            view of that installation.
 *   1001 (PLG_Unload)        to every plug-in before the installer frees the
 *                            libraries; it frees them only as its plug-in host is
 *                            made, before any is loaded, so no plug-in receives it.
 *
 * Machine level:
 *   - Every function is __stdcall, the entry included. Export the entry under the exact
 *     name "CB_InstallPlug", undecorated: on 32-bit Windows list it in a .def file as
 *         EXPORTS
 *             CB_InstallPlug = CB_InstallPlug@8
 *   - Strings are NUL-terminated ANSI texts owned by the installer. They stay valid
 *     until the entry returns; copy what you keep.
 *   - Booleans are 32-bit integers, 0 or 1.
 *   - IInstallApp is a C structure whose first member points to its function table,
 *     in exactly the order below. QueryInterface answers only IID_IUnknown; AddRef and
 *     Release count references, but the installer owns the installation and Release
 *     never destroys it.
 *   - The library stays loaded until the installer ends.
 *   - Nothing you return from the entry is looked at. Do not let an exception or a
 *     crash leave the entry: the installer cannot recover from it.
 */
#ifndef BRINDLO_PLUGIN_H
#define BRINDLO_PLUGIN_H

#include <stdint.h>

#if defined(_WIN32)
#define BRINDLO_CALL __stdcall
#else
#define BRINDLO_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define PLG_Unload 1001
#define PLG_Loaded 1002
#define PLG_AppInstalled 1003

typedef int32_t BrindloBool;
typedef int32_t BrindloResult; /* 0: done; (int32_t)0x80004002: no such interface */

/* The layout of a Windows GUID. */
typedef struct BrindloGuid {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} BrindloGuid;

/* {00000000-0000-0000-C000-000000000046} */
#define BRINDLO_IID_IUNKNOWN_INIT {0x00000000u, 0x0000u, 0x0000u, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}}

typedef struct IInstallApp IInstallApp;

typedef struct IInstallAppVtbl {
    /* The three operations of every reference-counted interface. */
    BrindloResult(BRINDLO_CALL* QueryInterface)(IInstallApp* This, const BrindloGuid* Iid, void** Object);
    uint32_t(BRINDLO_CALL* AddRef)(IInstallApp* This);
    uint32_t(BRINDLO_CALL* Release)(IInstallApp* This);

    const char*(BRINDLO_CALL* GetAppName)(IInstallApp* This);    /* "App name" */
    const char*(BRINDLO_CALL* GetGroupID)(IInstallApp* This);    /* the group's identifier */
    const char*(BRINDLO_CALL* GetWebLink)(IInstallApp* This);    /* caption, ";", address */
    const char*(BRINDLO_CALL* GetBDate)(IInstallApp* This);      /* build date */
    const char*(BRINDLO_CALL* GetBVersion)(IInstallApp* This);   /* build version */
    const char*(BRINDLO_CALL* GetDescribe)(IInstallApp* This);   /* description */
    int32_t(BRINDLO_CALL* GetFontColor)(IInstallApp* This);      /* -1 when absent or no number */
    int32_t(BRINDLO_CALL* GetSShotLeft)(IInstallApp* This);      /* 0 when empty or no number */
    int32_t(BRINDLO_CALL* GetSShotTop)(IInstallApp* This);       /* 0 likewise */
    int32_t(BRINDLO_CALL* GetDescTop)(IInstallApp* This);        /* -1 when empty or no number */
    int32_t(BRINDLO_CALL* GetDescLeft)(IInstallApp* This);       /* -1 likewise */
    const char*(BRINDLO_CALL* GetDefInstDir)(IInstallApp* This); /* resolved; each call creates it */
    const char*(BRINDLO_CALL* GetOutFN)(IInstallApp* This);      /* the archive's name in "Data" */
    BrindloBool(BRINDLO_CALL* GetShowInfo)(IInstallApp* This);
    const char*(BRINDLO_CALL* GetName)(IInstallApp* This);       /* "App name" again */
    const char*(BRINDLO_CALL* GetCompName)(IInstallApp* This);   /* company name */
    BrindloBool(BRINDLO_CALL* GetAddUinstSC)(IInstallApp* This);
    int32_t(BRINDLO_CALL* GetDID)(IInstallApp* This);            /* 0 Palm OS, 1 Pocket PC, 2 PC; -1 absent or no number */
    const char*(BRINDLO_CALL* GetASDesc)(IInstallApp* This);
    const char*(BRINDLO_CALL* GetICabFARM)(IInstallApp* This);
    const char*(BRINDLO_CALL* GetICabFMIPS)(IInstallApp* This);
    const char*(BRINDLO_CALL* GetICabFSH)(IInstallApp* This);
    const char*(BRINDLO_CALL* GetDeviceInstDir)(IInstallApp* This); /* not created */
    const char*(BRINDLO_CALL* GetInstallDir)(IInstallApp* This);    /* "" before the first PC installation */
} IInstallAppVtbl;

struct IInstallApp {
    const IInstallAppVtbl* lpVtbl;
};

/* The entry a plug-in exports. */
typedef void(BRINDLO_CALL* CB_InstallPlugProc)(int32_t Event, IInstallApp* App);

#ifdef __cplusplus
}
#endif

/* The layout is part of the contract: 27 pointers, nothing between them. */
#if defined(__cplusplus)
static_assert(sizeof(IInstallAppVtbl) == 27 * sizeof(void*), "IInstallAppVtbl has 27 slots");
static_assert(sizeof(IInstallApp) == sizeof(void*), "IInstallApp is one pointer");
static_assert(sizeof(BrindloGuid) == 16, "a GUID is 16 bytes");
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
_Static_assert(sizeof(IInstallAppVtbl) == 27 * sizeof(void*), "IInstallAppVtbl has 27 slots");
_Static_assert(sizeof(IInstallApp) == sizeof(void*), "IInstallApp is one pointer");
_Static_assert(sizeof(BrindloGuid) == 16, "a GUID is 16 bytes");
#endif

#endif
