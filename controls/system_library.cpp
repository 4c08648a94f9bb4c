#include "controls/system_library.h"

#include <string>

HMODULE SystemLibrary(const char* name) {
  if (HMODULE loaded = GetModuleHandleA(name)) return loaded;
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

SystemString NewSystemString(const WideText& text) {
  return SystemString(Loaded<Ole>().allocString(text.data(), static_cast<UINT>(text.size())));
}

void JoinApartment() {
  thread_local bool joined = false;
  if (joined) return;
  joined = true;
  Loaded<Ole>().initialize(nullptr, COINIT_APARTMENTTHREADED);
}
