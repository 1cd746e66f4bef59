#include "toolkit/ComboList.h"

#include <algorithm>
#include <utility>

#include "os/WideText.h"

namespace toolkit {

ComboList::ComboList(Window& parent, ComboListArgs args)
    : Control(parent, {.className = L"COMBOBOX",
                       .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT,
                       .bounds = args.bounds,
                       .font = args.font}),
      items_(std::move(args.items)) {
  for (const std::string& item : items_) Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(os::Widen(item).c_str()));
}

int ComboList::SelectedIndex() const { return static_cast<int>(Send(CB_GETCURSEL, 0, 0)); }

int ComboList::ShownIndex() const {
  const auto found = std::find(items_.begin(), items_.end(), Text());
  return found != items_.end() ? static_cast<int>(found - items_.begin()) : -1;
}

void ComboList::Select(int index) const {
  // Wine keeps the old selection for an index past the end; -1 clears it everywhere.
  const int count = static_cast<int>(Send(CB_GETCOUNT, 0, 0));
  Send(CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < count ? index : -1), 0);
}

}  // namespace toolkit
