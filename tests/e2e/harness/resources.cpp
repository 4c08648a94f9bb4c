#include "harness/resources.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace e2e {

// Wine's UpdateResource does not delete resources, so the entry's name is patched in
// the resource directory instead: there names are stored as a 16-bit length followed
// by UTF-16 characters. Changing the last letter to 'X' keeps the directory's names in
// sorted order (the loader searches them by halving) for the names this program has.
std::string CopyWithoutResource(const std::string& exePath, const std::string& folder,
                                const std::string& name) {
  std::ifstream in(exePath, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.empty() || name.empty()) return {};

  std::vector<char> pattern{static_cast<char>(name.size()), '\0'};
  for (char c : name) {
    pattern.push_back(c);
    pattern.push_back('\0');
  }
  const auto found = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
  if (found == bytes.end()) return {};
  *(found + static_cast<std::ptrdiff_t>(pattern.size()) - 2) = 'X';

  CreateDirectoryA(folder.c_str(), nullptr);
  const auto slash = exePath.find_last_of("\\/");
  const std::string copy =
      folder + "\\" + exePath.substr(slash == std::string::npos ? 0 : slash + 1);
  std::ofstream out(copy, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out ? copy : std::string{};
}

}  // namespace e2e
