#include "dialogs/recipient_chooser.h"

#include <cstring>

#include "dialogs/multi_address_form.h"
#include "dialogs/url_list_text.h"
#include "platform/gui/application.h"

namespace dlg {

namespace {

// The settings are written however the modal run ends, an exception included.
class SettingsKeeper {
 public:
  explicit SettingsKeeper(tMultiAddressForm& form) : form_(form) {}
  ~SettingsKeeper() {
    try {
      form_.SaveSettings();
    } catch (...) {
    }
  }
  SettingsKeeper(const SettingsKeeper&) = delete;
  SettingsKeeper& operator=(const SettingsKeeper&) = delete;

 private:
  tMultiAddressForm& form_;
};

}  // namespace

int ChooseStations(tAddressRecord* records, std::uint16_t count, std::uint16_t maxCount, std::uint8_t pages,
                   std::uint8_t modeFlags, const tDisk& disk) {
  // Without an array there is nothing to read, nor anywhere to put a choice.
  if (records == nullptr && (count > 0 || maxCount > 0)) return -1;
  cl::EnsureQtApplication();
  tMultiAddressForm form(disk);
  form.SetMaxCount(maxCount);
  if (!form.LoadRecords(records, count)) return -1;
  form.SetPages(pages);
  form.SetModeFlags(modeFlags);
  const SettingsKeeper keeper(form);
  form.LoadSettings();
  if (form.ShowModal() != cl::mrOk) return -1;
  return form.StoreRecords(records, maxCount);
}

bool ChoosePhones(char* urls, std::uint16_t bufLen, std::uint8_t pages, std::uint8_t modeFlags, const tDisk& disk) {
  // Without room for the zero there is no answer to give.
  if (urls == nullptr || bufLen == 0) return false;
  cl::EnsureQtApplication();
  tBKAddressList list;
  LoadUrlList(BoundedText(urls, bufLen), list);
  tMultiAddressForm form(disk);
  form.SetAnswerBuffer(bufLen);
  form.SetSelection(list);
  form.SetPages(pages);
  form.SetModeFlags(modeFlags);
  const SettingsKeeper keeper(form);
  form.LoadSettings();
  if (form.ShowModal() != cl::mrOk) return false;
  const std::string text = UrlTextWithin(*form.ChosenAddresses(), bufLen);
  std::memcpy(urls, text.data(), text.size());
  urls[text.size()] = '\0';
  return true;
}

}  // namespace dlg
