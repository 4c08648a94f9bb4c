#pragma once
// The one conversion between the program's texts and wide (UTF-16) text, which the
// platform's wide functions, COM and other programs' windows use. The program's texts
// are code page 1252 whatever the system's own code page. Windows builds only.
#include <cstddef>
#include <string>
#include <vector>

// Western European: the code page of every text of the program.
constexpr unsigned ProgramCodePage = 1252;

// Wide texts are plain vectors, without a terminator: the library's wide string would
// weigh more in the program than everything that uses them.
using WideText = std::vector<wchar_t>;

WideText ToWide(const std::string& text);
std::string FromWide(const wchar_t* text, std::size_t length);
