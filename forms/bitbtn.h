#pragma once
// The push button of every window: a platform button that this program draws itself,
// with an optional glyph beside an optional caption. A click gives the window the
// button's ModalResult, then runs OnClick; the active button answers Enter, a Cancel
// button Escape.
#include <string>

#include "controls/bitmap.h"
#include "controls/control.h"

enum class TBitBtnKind { bkCustom, bkOK };

class TBitBtn : public TWinControl {
public:
  explicit TBitBtn(ControlHost& host);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The strip of the bitmap resource `resourceName`, decoded when the button is first
  // drawn; NumGlyphs follows its shape when it is a row of squares.
  void SetGlyph(const std::string& resourceName);
  void SetNumGlyphs(int count);
  void SetKind(TBitBtnKind kind);

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool Default() const { return default_; }
  void SetDefault(bool isDefault) { default_ = isDefault; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  TNotifyEvent OnClick;

  void Click();

  bool IsPushButton() const override { return true; }
  void FocusChanged(TWinControl& focused) override;
  bool DialogKey(WORD key, TShiftState shift) override;
  void CommandNotified(WORD code) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
  bool ApplyProperty(const DescriptionProperty& property, const EventBinder& binder) override;

protected:
  void FillParams(WindowParams& params) override;
  void HandleCreated() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // The state's image in the shared list of the cell size, built on first use.
  int Image(bool down, HIMAGELIST list);
  void DrawFace(HDC dc, bool down, bool focused);

  std::string caption_;
  bool captionStored_ = false;
  // The glyph strip, decoded on first use.
  const TBitmap& Glyph();

  std::string glyphName_;
  BitmapSize glyphSize_;
  TBitmap glyph_;
  int numGlyphs_ = 1;
  COLORREF transparent_ = 0;
  int images_[2] = {-1,
                    -1};  // up, down: places in the shared list of the cell size, -1 until built
  int modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
};
