#pragma once
// Owners for COM, beside the handle owners: an interface pointer, released when its
// owner goes, a system string (BSTR) and a VARIANT, freed by the function their owner
// names. The program frees them through the functions it looks up when a client first
// asks, so that it imports no COM library; a program that links oleaut32 names
// SysFreeString and VariantClear.
#include <oaidl.h>
#include <unknwn.h>
#include <wtypes.h>

#include "controls/handles.h"

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};

// Holds one reference to an interface; takes over the reference it is given.
template <class Interface>
using ComPtr = UniqueHandle<Interface*, ComRelease>;

template <class Free>
using UniqueSystemString = UniqueHandle<BSTR, Free>;

// The out-parameter of a function that hands back an interface as `void**`
// (QueryInterface, CreateStdAccessibleObject): what `pointer` held is released first.
template <class Interface>
void** PutVoid(ComPtr<Interface>& pointer) {
  return reinterpret_cast<void**>(pointer.put());
}

// Owns what a VARIANT holds (a string, an interface): cleared by `Clear` when its
// owner goes or is written again.
template <class Clear>
class UniqueVariant {
public:
  UniqueVariant() = default;
  ~UniqueVariant() { reset(); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  const VARIANT& get() const { return value_; }
  // For a function that writes a VARIANT to an out-parameter.
  VARIANT* put() {
    reset();
    return &value_;
  }
  // Hands the value to a caller's out-parameter, which then owns it.
  VARIANT release() {
    const VARIANT value = value_;
    value_.vt = VT_EMPTY;
    return value;
  }
  void reset() {
    if (value_.vt != VT_EMPTY) Clear()(&value_);
    value_.vt = VT_EMPTY;
  }

private:
  VARIANT value_{};  // VT_EMPTY
};

// The reference count of a COM object of the program's own, over the interfaces it
// implements: it is made with one reference and deletes itself at the last Release.
template <class... Interfaces>
class ComObject : public Interfaces... {
public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

protected:
  ComObject() = default;
  virtual ~ComObject() = default;  // after the interfaces' slots: clients never see it

private:
  LONG references_ = 1;
};
