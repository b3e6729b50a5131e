/* libbrandlg.so's public headers as a C caller sees them: each stands on its
   own, the records the calls take are complete types there, and an entry
   built by hand has its fields where the library reads them. */
#include "brandlg/chooser.h"
#include "brandlg/confirmations.h"
#include "brandlg/editors.h"
#include "brandlg/message_boxes.h"
#include "brandlg/phone_book.h"

_Static_assert(sizeof(tAddressRecord) == 1540, "tAddressRecord as the chooser takes it");
_Static_assert(sizeof(tPhoneBookItem) == 144, "tPhoneBookItem as the phone-book calls take it");
_Static_assert(offsetof(tPhoneBookItem, Name) == 12 && offsetof(tPhoneBookItem, UseFor) == 136,
               "tPhoneBookItem's fields as the phone-book calls take them");
