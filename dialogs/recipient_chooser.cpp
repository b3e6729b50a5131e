#include "dialogs/recipient_chooser.h"

#include <cstring>
#include <exception>

#include "dialogs/multi_address_form.h"
#include "dialogs/url_list_text.h"
#include "platform/gui/application.h"

namespace dlg {

namespace {

// Loads the settings and runs the modal part of a chooser call: the settings
// are written however that ends, and a failure of either reaches the caller
// (the export answers it as a cancel).
template <typename Result, typename Body>
Result WithSettings(tMultiAddressForm& form, Body&& body) {
  std::exception_ptr failure;
  Result result{};
  try {
    form.LoadSettings();
    result = body();
  } catch (...) {
    failure = std::current_exception();
  }
  form.SaveSettings();
  if (failure) std::rethrow_exception(failure);
  return result;
}

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
  return WithSettings<int>(form, [&] {
    if (form.ShowModal() != cl::mrOk) return -1;
    return form.StoreRecords(records, maxCount);
  });
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
  return WithSettings<bool>(form, [&] {
    if (form.ShowModal() != cl::mrOk) return false;
    const std::string text = UrlTextWithin(*form.ChosenAddresses(), bufLen);
    std::memcpy(urls, text.data(), text.size());
    urls[text.size()] = '\0';
    return true;
  });
}

}  // namespace dlg
