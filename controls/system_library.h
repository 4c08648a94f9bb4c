#pragma once
// The platform's libraries that the accessibility code calls, loaded at run time from
// the system folder, so that the program imports none of them: each group of their
// functions is looked up once per process, when it is first needed; what is missing
// stays missing (null) and is not asked for again.
#include <windows.h>

#include "base/wide_text.h"
#include "controls/com.h"

// A library of the system folder, loaded for the rest of the program: the objects and
// the apartment that it serves live as long as their clients.
HMODULE SystemLibrary(const char* name);

template <class Proc>
Proc Find(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <class Functions>
const Functions& Loaded() {
  static const Functions functions;
  return functions;
}

// The COM runtime: the apartment, system strings and VARIANTs.
struct Ole {
  using CoInitializeExProc = HRESULT(WINAPI*)(LPVOID, DWORD);
  using SysAllocStringLenProc = BSTR(WINAPI*)(const OLECHAR*, UINT);
  using SysFreeStringProc = void(WINAPI*)(BSTR);
  using VariantClearProc = HRESULT(WINAPI*)(VARIANT*);
  CoInitializeExProc initialize =
      Find<CoInitializeExProc>(SystemLibrary("ole32.dll"), "CoInitializeEx");
  SysAllocStringLenProc allocString =
      Find<SysAllocStringLenProc>(SystemLibrary("oleaut32.dll"), "SysAllocStringLen");
  SysFreeStringProc freeString =
      Find<SysFreeStringProc>(SystemLibrary("oleaut32.dll"), "SysFreeString");
  VariantClearProc clearVariant =
      Find<VariantClearProc>(SystemLibrary("oleaut32.dll"), "VariantClear");
  bool Complete() const { return initialize && allocString && freeString && clearVariant; }
};

struct FreeSystemString {
  void operator()(BSTR text) const { Loaded<Ole>().freeString(text); }
};
using SystemString = UniqueSystemString<FreeSystemString>;

struct ClearVariant {
  void operator()(VARIANT* value) const { Loaded<Ole>().clearVariant(value); }
};
using Variant = UniqueVariant<ClearVariant>;

// Only once Loaded<Ole>() is complete.
SystemString NewSystemString(const WideText& text);

// Joins this thread to a single-threaded apartment, once, before its first COM or UI
// Automation call (marshalling an object to its client needs one). The thread keeps
// it to its end: the objects it served live as long as their clients.
void JoinApartment();
