#pragma once

/* Phone books of libbrandlg.so: loading and saving the rows of a caller's
   string list, entry keys and validity, and the entry editor. */

#include "brandlg/common.h"

#ifdef __cplusplus
#include "platform/core/string_list.h"
/* The platform layer's string list: a row is a string and an object. */
typedef cl::TStrings BrandlgStrings;
extern "C" {
#else
typedef struct BrandlgStrings BrandlgStrings;
#endif

/* One phone-book entry. The entries LOADPHONEBOOK puts into a list are
   objects of the library's class: the row's object pointer is the entry, its
   class pointer fills the first slot and the fields follow at the offsets
   below; the list frees them with delete. A caller may build an entry of
   its own by this layout with a null class pointer (all zero is an empty
   entry); such an entry is the caller's to free, not the list's. The calls
   that take an entry accept exactly these two. Texts are short strings of at
   most the stated number of characters. */
typedef struct tPhoneBookItem {
  const void* ClassPointer; /* the library's for its objects, else null */
  uint8_t Reserved;         /* copied with the entry, otherwise unused */
  uint8_t Taken;            /* non-zero while the chooser has it selected */
  uint8_t padding1[2];
  uint8_t Name[32];    /* 31: surname, a blank, first name and titles */
  uint8_t Company[64]; /* 63 */
  uint8_t Country[7];  /* 6: country code */
  uint8_t Area[7];     /* 6: area code */
  uint8_t Number[14];  /* 13: subscriber number */
  uint8_t UseFor;      /* 1 the suite's network, 2 fax, 3 SMS */
  uint8_t padding2[3];
} tPhoneBookItem;

BRANDLG_ASSERT(sizeof(void*) == 8, "the offsets below are those of 64-bit platforms");
BRANDLG_ASSERT(sizeof(tPhoneBookItem) == 144, "tPhoneBookItem as an object");
BRANDLG_ASSERT(offsetof(tPhoneBookItem, Reserved) == 8 && offsetof(tPhoneBookItem, Taken) == 9 &&
                   offsetof(tPhoneBookItem, Name) == 12 && offsetof(tPhoneBookItem, Company) == 44 &&
                   offsetof(tPhoneBookItem, Country) == 108 && offsetof(tPhoneBookItem, Area) == 115 &&
                   offsetof(tPhoneBookItem, Number) == 122 && offsetof(tPhoneBookItem, UseFor) == 136,
               "tPhoneBookItem's fields from the object's start");

/* Appends a row a line of the book: the entry's key for kind (0..7) and the
   entry as its object. 0 on success, 1 on any failure (the rows read before
   stay). */
uint8_t LOADPHONEBOOK(const ShortString* fileName, BrandlgStrings* list, uint8_t kind);
/* Writes the entries of the list's rows, in list order, as the book's lines;
   rows without an object are passed over. On any failure, a row whose object
   is no entry among them, the old book stays whole. 0 on success, 1 on
   failure. */
uint8_t SAVEPHONEBOOK(const ShortString* fileName, const BrandlgStrings* list);
/* The key an entry is listed under for kind 0..7; empty for no entry and for
   a kind above 7. */
void PHONEITEM2KEY(const tPhoneBookItem* entry, uint8_t kind, ShortString* key);
/* 1 when the name and the number are both non-blank. */
uint8_t ISPHONEITEMVALID(const tPhoneBookItem* entry);
/* Edits the entry in place; allowedUseFor: 0x02 network, 0x04 fax, 0x08 SMS.
   Answers the modal result (1 OK, the entry then changed), 2 on a failure. */
uint16_t EDITPHONEITEM(tPhoneBookItem* entry, uint8_t allowedUseFor);

#ifdef __cplusplus
}
#endif
