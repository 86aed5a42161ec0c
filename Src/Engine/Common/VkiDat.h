// List primitives and record views shared by the list, record and undo modules.
#pragma once
#include "VkeEng.h"
#include <stddef.h>

// Lke and Lki both begin with the record code.
inline int VkiDatCode(const void* p) { return *static_cast<const int*>(p); }

inline bool VkiIsDatKind(int kind) { return kind == VKE_DAT_EUE || kind == VKE_DAT_EUD || kind == VKE_DAT_EUI; }

// Bytes of a record of one of the engine's codes.
size_t VkiDatSize(int kind);

inline bool VkiSizeOk(int size) { return size >= static_cast<int>(sizeof(Lke)); }

// True when e is on some list: linked to a neighbour, or the only element of this one.
inline bool VkiIsLinked(const Lki* list, const Lke* e) { return e->pPrv || e->pNxt || list->pHead == e; }

// Links e after ref, or in front when ref is null. The first element of an empty list is also
// its cursor.
void VkiLinkAfter(Lki* list, Lke* ref, Lke* e);

// Appends e at the tail. The cursor goes to the head, where a search for the old tail leaves it.
void VkiAppend(Lki* list, Lke* e);

// Unlinks e and clears its links; a cursor on it moves to its next element (the head when e was
// the tail). A list left without elements is reset to empty.
void VkiUnlink(Lki* list, Lke* e);

// True when e is one of the first count elements from the head.
bool VkiContains(const Lki* list, const Lke* e);

// Record views: each begins with its header.
inline Eue* VkiEue(Lke* e) { return reinterpret_cast<Eue*>(e); }
inline Eud* VkiEud(Lke* e) { return reinterpret_cast<Eud*>(e); }
inline Eue* VkiBottomEue(Eud* step) { return VkiEue(step->lkiEue.pTail); }
inline Eud* VkiPrvEud(Eud* step) { return VkiEud(step->lke.pPrv); }
inline Eud* VkiNxtEud(Eud* step) { return VkiEud(step->lke.pNxt); }
