#pragma once
// Owners for COM, beside the handle owners: an interface pointer, released when its
// owner goes, and a system string (BSTR), freed by the function its owner names. The
// program frees its strings through the function it looks up when a client first
// asks, so that it imports no COM library; a program that links oleaut32 names
// SysFreeString.
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
