#pragma once

#include <cstdint>
#include <string>

#include "dialogs/phone_book_item.h"
#include "platform/gui/form.h"

namespace cl {
class TBitBtn;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
}  // namespace cl

namespace dlg {

class tDisk;

// Edits one entry in place: the modal result, the entry changed only on OK
// (1). allowedUseFor: 0x02 network, 0x04 fax, 0x08 SMS. The country and area
// choosers read the lists of disk's list directory.
cl::TModalResult EditPhoneItem(tPhoneBookItem& item, std::uint8_t allowedUseFor, const tDisk& disk);

// The entry editor: surname and first name, company, country and area (each
// with its chooser, also on the Down arrow), number, and the use-for radios of
// the uses the caller allows.
class TPhoneItemForm : public cl::TForm {
 public:
  TPhoneItemForm(cl::TComponent* owner, const tDisk& disk);

  // The entry into the controls; a use the caller does not allow shows as the
  // first one allowed.
  void LoadItem(const tPhoneBookItem& item, std::uint8_t allowedUseFor);
  // The controls into the entry; only an allowed use is stored.
  void StoreItem(tPhoneBookItem& item) const;

  void ChooseCountry();
  void ChooseArea();

 private:
  void EditDropDown(cl::TObject* sender, std::uint16_t& key, cl::TShiftState shift);
  void CheckUseFor(cl::TRadioButton* radio);
  std::uint8_t CheckedUseFor() const;

  const tDisk& disk_;
  std::uint8_t allowedUseFor_ = 0;
  cl::TEdit* editSureName_ = nullptr;
  cl::TEdit* editName_ = nullptr;
  cl::TEdit* editCompany_ = nullptr;
  cl::TEdit* editState_ = nullptr;
  cl::TEdit* editCity_ = nullptr;
  cl::TEdit* editPhone_ = nullptr;
  cl::TBitBtn* bitBtnState_ = nullptr;
  cl::TBitBtn* bitBtnCity_ = nullptr;
  cl::TGroupBox* gBoxUseFor_ = nullptr;
  cl::TRadioButton* rBtnBrannik_ = nullptr;
  cl::TRadioButton* rBtnFAX_ = nullptr;
  cl::TRadioButton* rBtnSMS_ = nullptr;
};

}  // namespace dlg
