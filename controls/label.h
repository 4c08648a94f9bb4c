#pragma once
// A text label. It is a static child window so that its caption can be read like any
// window text, but it paints itself: its whole rectangle in its colour, then the
// caption in its font. With AutoSize it fits its bounds to its caption.
#include <string>

#include "controls/control.h"

class TLabel : public TWinControl {
public:
  explicit TLabel(ControlHost& host);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  void SetAutoSize(bool autoSize);

  bool showAccelChar = true;
  bool wordWrap = false;

  bool Focusable() const override { return false; }
  // Static text named by its caption, as the system's own labels are read, on every
  // platform: a reader that gathers a dialog's text finds it there.
  AccessibleDescription Accessible() const override;
  void Loaded() override;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  void FillParams(WindowParams& params) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The whole rectangle in the label's colour, then the caption: no separate erase.
  void PaintClient(HDC dc) override;
  void FontChanged() override;

private:
  UINT TextFlags() const;
  void AdjustBounds();

  std::string caption_;
  bool autoSize_ = true;
  bool sizePending_ = false;  // measured when its window gets a platform window
};
