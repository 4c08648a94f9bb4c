#pragma once
// The platform's edit box: the single-line TEdit and the multi-line TMemo.
#include <string>
#include <vector>

#include "controls/control.h"
#include "controls/property_values.h"

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(ControlHost& host);

  std::string Text() const;
  void SetText(const std::string& text);
  void SetReadOnly(bool readOnly);

  TNotifyEvent OnChange;

  void CommandNotified(WORD code) override;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;
  AccessibleDescription Accessible() const override;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }

protected:
  void FillParams(WindowParams& params) override;

private:
  std::string text_;  // the text while there is no platform window
  bool readOnly_ = false;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  void FillParams(WindowParams& params) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TMemo : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
  void SetLines(const std::vector<std::string>& lines);
  bool wantReturns = true;
  bool wantTabs = false;
  bool wordWrap = true;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  void FillParams(WindowParams& params) override;
  UINT DialogCode() override;
};
