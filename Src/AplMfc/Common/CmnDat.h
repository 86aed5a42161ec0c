// The record family every record-keeping module offers: AllocDat, FreeDat, InitDat, TermDat,
// CopyDat, DupDat and SetDat on its records, and SchDat, InsDat, AddDat and DelDat on its lists
// (engine Lki heads whose elements begin with an Lke header; an element may head a list itself). A module derives from CmnDat, names
// its record codes in a table and fills in what its records own; the helper does the rest the
// same way for every module: the checks (-9 for an unknown code or a missing record, -7 for an
// out-pointer already set or a record that still holds what it owns), memory, list heads, the
// circular search from the list's cursor and the traces under the module's source path.
//
//   static const CmnDatKind kKinds[] = {{0x20001, sizeof(CmnImgElm), CmnDatElm, 0},
//                                       {0x20002, sizeof(Lki), CmnDatList, 0x20001}};
//   CmnImg::CmnImg() : CmnDat(CMN_MODULE, kKinds, 2) {}
#pragma once
#include "Mfc.h"
#include "CmnAppInf.h"

// How a record of a code is laid out.
enum CmnDatForm {
    CmnDatPlain, // a record of its own
    CmnDatElm,    // a list element: it begins with an Lke header
    CmnDatList,   // a list head: an Lki
    CmnDatElmList // a list element that heads a list of its own: its Lke header, then that Lki
};

struct CmnDatKind {
    int iCode;
    int iSize;    // sizeof the record
    int iForm;    // CmnDatForm
    int iElmCode; // a record that heads a list: the code of its elements; 0 otherwise
};

class CmnDat : public CObject {
public:
    ~CmnDat() override = default;

    // A zero-filled record of the code, initialised; *out must be null and stays null on failure.
    virtual int AllocDat(int code, Dat** out);
    // TermDat, then the memory; *p null afterwards. A null *p is no error.
    virtual int FreeDat(int code, Dat** p);
    // Zeroes the record and gives it its defaults (an element its header, a list head its codes).
    virtual int InitDat(int code, Dat* p);
    // Releases what the record owns and restores its defaults; a list's elements are removed and
    // freed. The first failure is returned.
    virtual int TermDat(int code, Dat* p);
    // to takes from's values; an element keeps its own links, and a list takes copies of from's
    // elements in place of its own.
    virtual int CopyDat(int code, Dat* to, Dat* from);
    // A new record holding from's values; *out must be null and stays null on failure.
    virtual int DupDat(int code, Dat** out, Dat* from);
    // As CopyDat, for a record already initialised.
    virtual int SetDat(int code, Dat* to, Dat* from);

    // Lists: code is the elements' code, list a head of the code that holds them.
    // Modes 1 (key points to a 1-based position) and 2 (key is the element) are the engine's;
    // the module's own key modes search circularly from the cursor, look at each element once and
    // move the cursor past the one found. -12 (untraced) when nothing matches.
    virtual int SchDat(int code, int mode, Lki* list, void* key, Dat** out);
    // Inserts after the element that mode and key find (modes 1 and 2: as the engine's insertion;
    // a null key only in mode 2, for the front).
    virtual int InsDat(int code, int mode, Lki* list, void* key, Dat* p);
    virtual int AddDat(int code, Lki* list, Dat* p);
    // Removes the element that mode and key find and hands it back (*out null when none).
    virtual int DelDat(int code, int mode, Lki* list, void* key, Dat** out);

protected:
    CmnDat(const char* module, const CmnDatKind* kinds, int count) : m_pszModule(module), m_pKinds(kinds), m_nKinds(count) {}

    // What a module fills in for its codes. p was zeroed (an element has its header, a list its
    // codes) before InitRec; TermRec releases and resets; CopyRec copies into an initialised to.
    virtual int InitRec(int, Dat*) { return VKE_OK; }
    virtual int TermRec(int, Dat*) { return VKE_OK; }
    virtual int CopyRec(int, Dat*, Dat*) { return VKE_OK; }
    // True when the record still holds what it owns (InitDat refuses it with -7).
    virtual bool IsHeld(int, const Dat*) { return false; }
    // The module's own search modes of an element code, and whether an element matches the key.
    virtual bool IsKeyMode(int, int) { return false; }
    virtual bool Match(int, int, void*, Dat*) { return false; }

    const CmnDatKind* Kind(int code) const;
    // Traces the failure under the module's path and the operation's name, with the line of
    // the call; returns it.
    int Fail(const char* name, int code, int line = __builtin_LINE()) const;

private:
    int Init(const CmnDatKind* kind, Dat* p);
    int Term(const CmnDatKind* kind, Dat* p);
    int Copy(const CmnDatKind* kind, Dat* to, Dat* from);
    int Dup(const CmnDatKind* kind, Dat** out, Dat* from);
    int Search(const CmnDatKind* kind, int mode, Lki* list, void* key, Dat** out);
    // Removes and frees every element of a list.
    int ClearList(const CmnDatKind* kind, Lki* list);
    // The element kind of code and a list that holds it, or null.
    const CmnDatKind* ElmKind(int code, const Lki* list) const;

    const char* m_pszModule;
    const CmnDatKind* m_pKinds;
    int m_nKinds;
};
