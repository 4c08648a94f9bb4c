#include "controls/listbox.h"

#include <oleacc.h>

#include "controls/property_table.h"
#include "controls/property_values.h"

namespace {

void AddItems(TListBox& listBox, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) listBox.Add(line);
}

const PropertyEntry<TListBox> ListBoxProperties[] = {
    {"ItemHeight", Set<&TListBox::itemHeight, AsInteger>},
    {"BorderStyle", Set<&TListBox::SetBorderStyle, AsBorderStyle>},
    {"Items", Set<AddItems, AsStrings>},
};

}  // namespace

TListBox::TListBox(ControlHost& host) : TWinControl(host) {
  color_ = clWindow;
  SetAccessibleRole(ROLE_SYSTEM_LIST);  // its lines are read as its children
}

int TListBox::Count() const {
  if (HWND window = HandleIfCreated()) {
    return static_cast<int>(SendMessageA(window, LB_GETCOUNT, 0, 0));
  }
  return static_cast<int>(items_.size());
}

std::string TListBox::Item(int index) const {
  if (HWND window = HandleIfCreated()) {
    const LRESULT length = SendMessageA(window, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(window, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }
  return items_.at(static_cast<std::size_t>(index));
}

void TListBox::Add(const std::string& line) {
  if (HWND window = HandleIfCreated()) {
    SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  } else {
    items_.push_back(line);
  }
}

void TListBox::Insert(int index, const std::string& line) {
  if (HWND window = HandleIfCreated()) {
    SendMessageA(window, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(line.c_str()));
  } else {
    items_.insert(items_.begin() + index, line);
  }
}

void TListBox::Delete(int index) {
  if (HWND window = HandleIfCreated()) {
    SendMessageA(window, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  } else {
    items_.erase(items_.begin() + index);
  }
}

void TListBox::Update() {
  if (HWND window = HandleIfCreated()) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
}

void TListBox::FillParams(WindowParams& params) {
  TWinControl::FillParams(params);
  params.className = "LISTBOX";
  // The vertical bar comes and goes with the need for it; there is no horizontal one.
  params.style |= WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
  if (borderStyle_ == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::HandleCreated() {
  TWinControl::HandleCreated();
  HWND window = HandleIfCreated();
  SendMessageA(window, LB_SETITEMHEIGHT, 0, itemHeight);
  for (const std::string& line : items_) {
    SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  items_.clear();
}

void TListBox::FontChanged() {
  TWinControl::FontChanged();
  // A new font resets the row height to the font's.
  if (HWND window = HandleIfCreated()) SendMessageA(window, LB_SETITEMHEIGHT, 0, itemHeight);
}

bool TListBox::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, ListBoxProperties, property, binder) ||
         TWinControl::ApplyProperty(property, binder);
}
