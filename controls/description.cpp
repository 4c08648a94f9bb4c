#include "controls/description.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

#include "base/errors.h"
#include "base/format.h"
#include "base/platform.h"
#include "res/strings.h"

InvalidPropertyValue::InvalidPropertyValue() : EReadError(LoadText(IDS_BAD_PROPERTY_VALUE)) {}

void RaisePropertyError(const std::string& component, const std::string& property,
                        PropertyFault fault) {
  const std::string reason = fault == PropertyFault::Unknown ? LoadText(IDS_UNKNOWN_PROPERTY)
                                                             : InvalidPropertyValue().Message();
  throw EReadError(FormatText(LoadText(IDS_READ_ERROR), {component, ".", property, reason}));
}

namespace {

constexpr std::string_view Signature = "quorl-window 1";

// Deeper than any window needs (the menus go three levels down) and shallow enough
// that hostile data cannot exhaust the stack.
constexpr int MaxNesting = 32;

// Decimal integers are 32-bit signed values; hexadecimal ones are 32-bit patterns.
constexpr std::int64_t MinDecimal = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t MaxDecimal = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t MaxHex = std::numeric_limits<std::uint32_t>::max();

[[noreturn]] void BadFormat() { throw EReadError(LoadText(IDS_BAD_STREAM_FORMAT)); }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '.'; }

struct Token {
  enum class Kind { End, Name, Integer, String, Punct };
  Kind kind = Kind::End;
  std::string text;  // Name, String; Punct: the character
  std::int64_t integer = 0;
  int line = 0;

  bool IsPunct(char c) const { return kind == Kind::Punct && text.size() == 1 && text[0] == c; }
  bool IsName(std::string_view name) const { return kind == Kind::Name && text == name; }
};

// Splits the text after the signature into tokens; blanks, line breaks and comment
// lines only separate them. Any byte that does not fit the format stops the reading.
class Lexer {
public:
  Lexer(std::string_view data, std::size_t start) : data_(data), pos_(start) {}

  Token Next() {
    SkipBlanks();
    Token token;
    token.line = line_;
    if (pos_ >= data_.size()) return token;
    const char c = data_[pos_];
    if (IsLetter(c)) {
      ReadName(token);
    } else if (IsDigit(c) || c == '-' || c == '+') {
      ReadDecimal(token);
    } else if (c == '$') {
      ReadHex(token);
    } else if (c == '"') {
      ReadString(token);
    } else if (c == '=' || c == ':' || c == '{' || c == '}' || c == '[' || c == ']' || c == '(' ||
               c == ')' || c == ',') {
      token.kind = Token::Kind::Punct;
      token.text.assign(1, c);
      ++pos_;
    } else {
      BadFormat();
    }
    return token;
  }

private:
  void SkipBlanks() {
    while (pos_ < data_.size()) {
      const char c = data_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '#') {
        while (pos_ < data_.size() && data_[pos_] != '\n') ++pos_;
      } else {
        return;
      }
    }
  }

  // A token that runs straight into letters or digits ("12px", "$FFx") is malformed.
  void ExpectDelimiter() const {
    if (pos_ < data_.size() && IsNameChar(data_[pos_])) BadFormat();
  }

  void ReadName(Token& token) {
    const std::size_t start = pos_;
    while (pos_ < data_.size() && IsNameChar(data_[pos_])) {
      // Dots join plain names: no empty part, no dot at the end.
      if (data_[pos_] == '.' && (pos_ + 1 >= data_.size() || !IsLetter(data_[pos_ + 1]))) {
        BadFormat();
      }
      ++pos_;
    }
    token.kind = Token::Kind::Name;
    token.text.assign(data_.substr(start, pos_ - start));
  }

  void ReadDecimal(Token& token) {
    bool negative = false;
    if (data_[pos_] == '-' || data_[pos_] == '+') {
      negative = data_[pos_] == '-';
      ++pos_;
    }
    if (pos_ >= data_.size() || !IsDigit(data_[pos_])) BadFormat();
    std::int64_t value = 0;
    while (pos_ < data_.size() && IsDigit(data_[pos_])) {
      value = value * 10 + (data_[pos_] - '0');
      if (value > MaxDecimal + 1) BadFormat();
      ++pos_;
    }
    ExpectDelimiter();
    if (negative) value = -value;
    if (value < MinDecimal || value > MaxDecimal) BadFormat();
    token.kind = Token::Kind::Integer;
    token.integer = value;
  }

  void ReadHex(Token& token) {
    ++pos_;  // '$'
    if (pos_ >= data_.size() || HexDigitValue(data_[pos_]) < 0) BadFormat();
    std::int64_t value = 0;
    while (pos_ < data_.size() && HexDigitValue(data_[pos_]) >= 0) {
      value = value * 16 + HexDigitValue(data_[pos_]);
      if (value > MaxHex) BadFormat();
      ++pos_;
    }
    ExpectDelimiter();
    token.kind = Token::Kind::Integer;
    token.integer = value;
  }

  void ReadString(Token& token) {
    ++pos_;  // opening quote
    token.kind = Token::Kind::String;
    for (;;) {
      if (pos_ >= data_.size()) BadFormat();
      const char c = data_[pos_++];
      if (c == '"') return;
      if (c == '\\') {
        token.text.push_back(ReadEscape());
      } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
        BadFormat();  // a line break or a control byte: the string was never closed
      } else {
        token.text.push_back(c);
      }
    }
  }

  char ReadEscape() {
    if (pos_ >= data_.size()) BadFormat();
    const char c = data_[pos_++];
    switch (c) {
      case '"':
      case '\\':
        return c;
      case 'n':
        return '\n';
      case 't':
        return '\t';
      case 'x': {
        if (data_.size() - pos_ < 2) BadFormat();
        const int high = HexDigitValue(data_[pos_]);
        const int low = HexDigitValue(data_[pos_ + 1]);
        if (high < 0 || low < 0) BadFormat();
        pos_ += 2;
        return static_cast<char>(static_cast<unsigned char>(high * 16 + low));
      }
      default:
        BadFormat();
    }
  }

  std::string_view data_;
  std::size_t pos_;
  int line_ = 2;  // the signature is line 1
};

class Parser {
public:
  explicit Parser(Lexer& lexer) : lexer_(lexer) { Advance(); }

  DescriptionObject ReadWindow() {
    if (!current_.IsName("window")) BadFormat();
    DescriptionObject window = ReadObject(0);
    if (current_.kind != Token::Kind::End) BadFormat();
    return window;
  }

private:
  void Advance() { current_ = lexer_.Next(); }

  std::string TakeName() {
    if (current_.kind != Token::Kind::Name) BadFormat();
    std::string name = std::move(current_.text);
    Advance();
    return name;
  }

  // A component or class name: a plain name without dots.
  std::string TakePlainName() {
    std::string name = TakeName();
    if (name.find('.') != std::string::npos) BadFormat();
    return name;
  }

  void Take(char punct) {
    if (!current_.IsPunct(punct)) BadFormat();
    Advance();
  }

  // The current token is the keyword "window" or "control".
  DescriptionObject ReadObject(int depth) {
    if (depth > MaxNesting) BadFormat();
    Advance();
    DescriptionObject object;
    object.name = TakePlainName();
    Take(':');
    object.className = TakePlainName();
    Take('{');
    while (!current_.IsPunct('}')) {
      if (current_.IsName("control")) {
        object.children.push_back(ReadObject(depth + 1));
      } else {
        object.properties.push_back(ReadProperty());
      }
    }
    Advance();
    return object;
  }

  DescriptionProperty ReadProperty() {
    DescriptionProperty property;
    property.line = current_.line;
    property.name = TakeName();
    Take('=');
    ReadValue(property.value);
    return property;
  }

  void ReadValue(DescriptionValue& value) {
    switch (current_.kind) {
      case Token::Kind::Integer:
        value.kind = DescriptionValue::Kind::Integer;
        value.integer = current_.integer;
        Advance();
        return;
      case Token::Kind::String:
        value.kind = DescriptionValue::Kind::String;
        value.text = std::move(current_.text);
        Advance();
        return;
      case Token::Kind::Name:
        if (current_.text == "bitmap" || current_.text == "icon") {
          value.kind = DescriptionValue::Kind::Resource;
          value.resourceKind = TakeName();
          value.text = TakePlainName();
        } else {
          value.kind = DescriptionValue::Kind::Identifier;
          value.text = TakeName();
        }
        return;
      case Token::Kind::Punct:
        if (current_.IsPunct('[')) {
          value.kind = DescriptionValue::Kind::Set;
          ReadList(']', Token::Kind::Name, value.items);
          return;
        }
        if (current_.IsPunct('(')) {
          value.kind = DescriptionValue::Kind::StringList;
          ReadList(')', Token::Kind::String, value.items);
          return;
        }
        BadFormat();
      case Token::Kind::End:
        BadFormat();
    }
    BadFormat();
  }

  // "[a, b]" or "("x", "y")": items of one kind separated by commas, possibly none.
  void ReadList(char close, Token::Kind itemKind, std::vector<std::string>& items) {
    Advance();
    if (current_.IsPunct(close)) {
      Advance();
      return;
    }
    for (;;) {
      if (current_.kind != itemKind) BadFormat();
      items.push_back(std::move(current_.text));
      Advance();
      if (current_.IsPunct(close)) break;
      Take(',');
    }
    Advance();
  }

  Lexer& lexer_;
  Token current_;
};

// The length of the signature line with its line break, or 0 when the data does not
// start with it.
std::size_t SignatureLength(std::string_view data) {
  if (data.substr(0, Signature.size()) != Signature) return 0;
  std::string_view rest = data.substr(Signature.size());
  if (rest.substr(0, 1) == "\n") return Signature.size() + 1;
  if (rest.substr(0, 2) == "\r\n") return Signature.size() + 2;
  return 0;
}

}  // namespace

DescriptionObject ReadDescription(std::string_view data) {
  const std::size_t start = SignatureLength(data);
  if (start == 0) BadFormat();
  Lexer lexer(data, start);
  Parser parser(lexer);
  return parser.ReadWindow();
}
