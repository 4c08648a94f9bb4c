#include "controls/edit.h"

#include "controls/property_table.h"
#include "controls/property_values.h"
#include "controls/window_text.h"

namespace {

const NamedValue<int> ScrollBarsNames[] = {{"ssNone", 0}};

int AsScrollBars(const DescriptionValue& value) { return AsEnum(value, ScrollBarsNames); }

const PropertyEntry<TCustomEdit> CustomEditProperties[] = {
    {"Text", Set<&TCustomEdit::SetText, AsString>},
    {"ReadOnly", Set<&TCustomEdit::SetReadOnly, AsBoolean>},
    {"BorderStyle", Set<&TCustomEdit::SetBorderStyle, AsBorderStyle>},
    {"OnChange", Bind<&TCustomEdit::OnChange, &EventBinder::NotifyHandler>},
};

const PropertyEntry<TEdit> EditProperties[] = {
    // Stored with the descriptions; the boxes keep their designed heights.
    {"AutoSize", Accept<AsBoolean>},
};

const PropertyEntry<TMemo> MemoProperties[] = {
    {"Lines", Set<&TMemo::SetLines, AsStrings>},
    {"WantReturns", Set<&TMemo::wantReturns, AsBoolean>},
    {"WantTabs", Set<&TMemo::wantTabs, AsBoolean>},
    {"WordWrap", Set<&TMemo::wordWrap, AsBoolean>},
    // Memos have no scroll bars here.
    {"ScrollBars", Accept<AsScrollBars>},
};

}  // namespace

TCustomEdit::TCustomEdit(ControlHost& host) : TWinControl(host) { color_ = clWindow; }

std::string TCustomEdit::Text() const {
  HWND window = HandleIfCreated();
  if (window == nullptr) return text_;
  return WindowText(window);
}

void TCustomEdit::SetText(const std::string& text) {
  text_ = text;
  HWND window = HandleIfCreated();
  // A box that shows the text already keeps it: nothing changes, nothing to tell (a new
  // game at start-up finds the counter at "0").
  if (window == nullptr || WindowText(window) == text) return;
  SetWindowTextA(window, text.c_str());
  // Screen readers learn of the new value (not every platform's edit box tells them).
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

AccessibleDescription TCustomEdit::Accessible() const {
  AccessibleDescription description = TWinControl::Accessible();
  description.readOnly = readOnly_;
  return description;
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HWND window = HandleIfCreated()) SendMessageA(window, EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::CommandNotified(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange(*this);
}

void TCustomEdit::FillParams(WindowParams& params) {
  TWinControl::FillParams(params);
  params.className = "EDIT";
  params.style |= ES_LEFT;
  if (readOnly_) params.style |= ES_READONLY;
  if (borderStyle_ == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
  params.caption = text_;  // given at creation, so that no change notice fires
}

bool TCustomEdit::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, CustomEditProperties, property, binder) ||
         TWinControl::ApplyProperty(property, binder);
}

void TEdit::FillParams(WindowParams& params) {
  TCustomEdit::FillParams(params);
  params.style |= ES_AUTOHSCROLL;
}

LRESULT TEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Enter has done its work in OnKeyDown; its character would only make the
  // single-line box beep.
  if (message == WM_CHAR && wParam == '\r') return 0;
  return TCustomEdit::WindowProc(message, wParam, lParam);
}

bool TEdit::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, EditProperties, property, binder) ||
         TCustomEdit::ApplyProperty(property, binder);
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

void TMemo::FillParams(WindowParams& params) {
  TCustomEdit::FillParams(params);
  params.style |= ES_MULTILINE | ES_WANTRETURN;
  if (!wordWrap) params.style |= ES_AUTOHSCROLL;
}

UINT TMemo::DialogCode() {
  UINT code = TCustomEdit::DialogCode();
  if (wantTabs) {
    code |= DLGC_WANTTAB;
  } else {
    code &= ~static_cast<UINT>(DLGC_WANTTAB);
  }
  if (!wantReturns) code &= ~static_cast<UINT>(DLGC_WANTALLKEYS);
  return code;
}

bool TMemo::ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) {
  return ApplyFromTable(*this, MemoProperties, property, binder) ||
         TCustomEdit::ApplyProperty(property, binder);
}
