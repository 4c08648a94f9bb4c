#include "controls/description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "base/errors.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr std::string_view FormsDir = QUORL_FORMS_DIR;
const std::string Header = "quorl-window 1\n";

// A compact, unambiguous picture of a read description, to compare whole trees.
void Dump(const DescriptionValue& value, std::string& out) {
  switch (value.kind) {
    case DescriptionValue::Kind::Integer:
      out += std::to_string(value.integer);
      break;
    case DescriptionValue::Kind::String:
      out += "'" + value.text + "'";
      break;
    case DescriptionValue::Kind::Identifier:
      out += value.text;
      break;
    case DescriptionValue::Kind::Resource:
      out += "<" + value.resourceKind + " " + value.text + ">";
      break;
    case DescriptionValue::Kind::Set:
    case DescriptionValue::Kind::StringList: {
      const bool set = value.kind == DescriptionValue::Kind::Set;
      out += set ? "[" : "(";
      for (std::size_t i = 0; i < value.items.size(); ++i) {
        if (i > 0) out += ",";
        out += set ? value.items[i] : "'" + value.items[i] + "'";
      }
      out += set ? "]" : ")";
      break;
    }
  }
}

std::string Dump(const DescriptionObject& object) {
  std::string out = object.name + ":" + object.className + "{";
  for (const DescriptionProperty& property : object.properties) {
    out += property.name + "=";
    Dump(property.value, out);
    out += ";";
  }
  for (const DescriptionObject& child : object.children) out += Dump(child);
  return out + "}";
}

// The reader's answer for `data`: the dump, or the message of the EReadError it raised.
// Any other exception fails the test.
std::string ReadOrError(std::string_view data) {
  try {
    return Dump(ReadDescription(data));
  } catch (const EReadError& e) {
    return "error: " + e.Message();
  }
}

const std::string BadFormat = "error: Format de flux incorrect";

// A literal with its NUL bytes kept.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

TEST(ReadDescription, ReadsEveryKindOfValue) {
  // Why, the data after the signature line, and what is read.
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"empty window", "window w: Tw {}", "w:Tw{}"},
      {"integers: sign, zero, 32-bit limits",
       "window w: Tw { A = -2 B = +7 C = 0 D = 2147483647 E = -2147483648 }",
       "w:Tw{A=-2;B=7;C=0;D=2147483647;E=-2147483648;}"},
      {"hexadecimal integers up to 32 bits, either case",
       "window w: Tw { Color = $02ED843F D = $ffffffff E = $0000000001 }",
       "w:Tw{Color=49120319;D=4294967295;E=1;}"},
      {"identifiers and dotted property names",
       "window w: Tw { Color = clGreen Font.Name = \"MS Sans Serif\" Visible = False }",
       "w:Tw{Color=clGreen;Font.Name='MS Sans Serif';Visible=False;}"},
      {"string escapes", R"(window w: Tw { S = "a\"b\\c\nd\te\x41\xe9" })",
       "w:Tw{S='a\"b\\c\nd\teA\xe9';}"},
      {"empty string", "window w: Tw { Caption = \"\" }", "w:Tw{Caption='';}"},
      {"sets, empty or not", "window w: Tw { A = [] B = [biSystemMenu] C = [x , y,z] }",
       "w:Tw{A=[];B=[biSystemMenu];C=[x,y,z];}"},
      {"string lists over several lines",
       "window w: Tw {\n Lines = (\n \"Quorl\",\n \"\",\n \"x\")\n E = () }",
       "w:Tw{Lines=('Quorl','','x');E=();}"},
      {"resources", "window w: Tw { Icon = icon QUORLICON Glyph = bitmap COMMENCER }",
       "w:Tw{Icon=<icon QUORLICON>;Glyph=<bitmap COMMENCER>;}"},
      {"controls nest and keep their order",
       "window w: Tw { A = 1 control m: TMainMenu { control f: TMenuItem { control q: "
       "TMenuItem { OnClick = Q } } } control e: TEdit {} B = 2 }",
       "w:Tw{A=1;B=2;m:TMainMenu{f:TMenuItem{q:TMenuItem{OnClick=Q;}}}e:TEdit{}}"},
      {"several items on one line, no blanks around punctuation",
       "window w:Tw{A=1 B=\"x\"control c:TC{D=[a]}}", "w:Tw{A=1;B='x';c:TC{D=[a];}}"},
      {"comments, blank lines and CRLF line breaks",
       "# head\r\n\r\nwindow w: Tw { # trailing\r\n  A = 1\r\n}\r\n# tail", "w:Tw{A=1;}"},
      {"bytes of code page 1252 inside strings",
       "window w: Tw { Caption = \"R\xe8gles \x80\xff\" }", "w:Tw{Caption='R\xe8gles \x80\xff';}"},
      {"an escaped NUL is kept", "window w: Tw { S = \"a\\x00b\" }", Bytes("w:Tw{S='a\0b';}")},
  };
  for (const auto& [reason, body, dump] : cases) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(ReadOrError(Header + body), dump);
  }
}

TEST(ReadDescription, RefusesMalformedData) {
  // Why, and the whole data, signature included.
  const std::pair<const char*, std::string> cases[] = {
      {"empty data", ""},
      {"no signature", "window w: Tw {}"},
      {"other signature version", "quorl-window 2\nwindow w: Tw {}"},
      {"signature not on a line of its own", "quorl-window 1 window w: Tw {}"},
      {"text before the signature", " quorl-window 1\nwindow w: Tw {}"},
      {"comment before the signature", "# x\nquorl-window 1\nwindow w: Tw {}"},
      {"signature only", Header},
      {"a control at the top", Header + "control w: Tw {}"},
      {"window inside a window", Header + "window w: Tw { window v: Tv {} }"},
      {"missing class", Header + "window w {}"},
      {"dotted component name", Header + "window w.x: Tw {}"},
      {"unclosed window", Header + "window w: Tw { A = 1"},
      {"unclosed control", Header + "window w: Tw { control c: TC { }"},
      {"extra closing brace", Header + "window w: Tw { } }"},
      {"a second window", Header + "window w: Tw {} window v: Tv {}"},
      {"property without value", Header + "window w: Tw { A = }"},
      {"property without '='", Header + "window w: Tw { A 1 }"},
      {"unterminated string", Header + "window w: Tw { A = \"abc }"},
      {"string broken by a line break", Header + "window w: Tw { A = \"ab\ncd\" }"},
      {"unknown escape", Header + "window w: Tw { A = \"\\q\" }"},
      {"short \\x escape at the end", Header + "window w: Tw { A = \"\\x4"},
      {"\\x escape without hex digits", Header + "window w: Tw { A = \"\\xg0\" }"},
      {"backslash at the very end", Header + "window w: Tw { A = \"\\"},
      {"raw NUL in a string", Header + Bytes("window w: Tw { A = \"a\0b\" }")},
      {"raw NUL between items", Header + Bytes("window w: Tw { A = 1 \0 }")},
      {"high byte outside a string", Header + "window w: Tw { A = \xe9 }"},
      {"decimal above 32 bits", Header + "window w: Tw { A = 2147483648 }"},
      {"decimal below 32 bits", Header + "window w: Tw { A = -2147483649 }"},
      {"very long number", Header + "window w: Tw { A = 99999999999999999999999999 }"},
      {"hexadecimal above 32 bits", Header + "window w: Tw { A = $100000000 }"},
      {"bare dollar", Header + "window w: Tw { A = $ }"},
      {"bare sign", Header + "window w: Tw { A = - }"},
      {"number running into letters", Header + "window w: Tw { A = 12px }"},
      {"signed hexadecimal", Header + "window w: Tw { A = -$10 }"},
      {"name ending with a dot", Header + "window w: Tw { Font. = 1 }"},
      {"name with an empty part", Header + "window w: Tw { Font..Name = 1 }"},
      {"resource without name", Header + "window w: Tw { Glyph = bitmap }"},
      {"set of strings", Header + "window w: Tw { A = [\"x\"] }"},
      {"list of identifiers", Header + "window w: Tw { A = (x) }"},
      {"trailing comma in a set", Header + "window w: Tw { A = [x,] }"},
      {"missing comma in a list", Header + "window w: Tw { A = (\"x\" \"y\") }"},
      {"unclosed set", Header + "window w: Tw { A = [x"},
      {"stray punctuation", Header + "window w: Tw { , }"},
      {"unknown character", Header + "window w: Tw { A = 1; }"},
  };
  for (const auto& [reason, data] : cases) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(ReadOrError(data), BadFormat);
  }
}

TEST(ReadDescription, RecordsThePropertyLines) {
  const DescriptionObject window =
      ReadDescription(Header +
                      "# comment\nwindow w: Tw {\n  A = 1\n\n  control c: TC {\n    B = "
                      "(\"x\",\n\"y\") C = 2\n  }\n}\n");
  ASSERT_EQ(window.properties.size(), 1u);
  EXPECT_EQ(window.properties[0].line, 4);
  ASSERT_EQ(window.children.size(), 1u);
  ASSERT_EQ(window.children[0].properties.size(), 2u);
  EXPECT_EQ(window.children[0].properties[0].line, 7);
  EXPECT_EQ(window.children[0].properties[1].line, 8);
}

std::string Nested(int depth) {
  std::string data = Header + "window w: Tw {";
  for (int i = 0; i < depth; ++i) data += " control c: TC {";
  return data + std::string(static_cast<std::size_t>(depth) + 1, '}');
}

TEST(ReadDescription, CapsNesting) {
  // The menus need three levels below the window; 32 leave plenty of room.
  EXPECT_NE(ReadOrError(Nested(32)), BadFormat);
  EXPECT_EQ(ReadOrError(Nested(33)), BadFormat);
  // Deep enough to exhaust the stack if the reader followed it.
  EXPECT_EQ(ReadOrError(Nested(200000)), BadFormat);
}

TEST(ReadDescription, ReadsHugeInputs) {
  std::string many = Header + "window w: Tw {\n";
  for (int i = 0; i < 100000; ++i) many += "  control c: TC { A = 1 B = \"x\" }\n";
  many += "}\n";
  EXPECT_EQ(ReadDescription(many).children.size(), 100000u);

  const std::string text(8u << 20, 'a');
  const DescriptionObject window =
      ReadDescription(Header + "window w: Tw { S = \"" + text + "\" }");
  ASSERT_EQ(window.properties.size(), 1u);
  EXPECT_EQ(window.properties[0].value.text.size(), text.size());

  EXPECT_EQ(ReadOrError(Header + "window w: Tw { S = \"" + text), BadFormat);
}

// Every prefix of a valid description is refused: the reader must notice the end of
// the data wherever it comes (run under the sanitizers, this also checks that it
// never reads past it).
TEST(ReadDescription, RefusesEveryTruncation) {
  const std::string data =
      Header +
      "window w: Tw {\n  Color = $02ED843F\n  Left = -2\n  S = \"a\\x41\\\"\"\n"
      "  B = [x, y]\n  L = (\"p\", \"\")\n  I = icon Q\n"
      "  control c: TC { Font.Name = \"M\" }\n}\n";
  ASSERT_NE(ReadOrError(data), BadFormat);
  const std::size_t closing = data.rfind('}');
  for (std::size_t size = 0; size <= closing; ++size) {
    SCOPED_TRACE(size);
    EXPECT_EQ(ReadOrError(std::string_view(data).substr(0, size)), BadFormat);
  }
}

// Any single byte replaced by any other value is either read or refused with the
// format error, never anything else.
TEST(ReadDescription, SurvivesEveryByteReplacement) {
  const std::string data = Header +
                           "window w: Tw { A = $1F B = \"x\\ty\" C = [p] D = (\"q\") "
                           "control c: TC { E = bitmap R } }";
  for (std::size_t pos = 0; pos < data.size(); ++pos) {
    for (int byte = 0; byte < 256; ++byte) {
      std::string changed = data;
      changed[pos] = static_cast<char>(byte);
      try {
        ReadDescription(changed);
      } catch (const EReadError& e) {
        ASSERT_EQ(e.Message(), "Format de flux incorrect") << pos << " " << byte;
      }
    }
  }
}

TEST(RaisePropertyError, NamesComponentPropertyAndReason) {
  try {
    RaisePropertyError("Edit1", "Font.Colour", PropertyFault::Unknown);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Erreur lors de la lecture de Edit1.Font.Colour: Propriété inexistante");
  }
  try {
    RaisePropertyError("quorl", "WindowState", PropertyFault::InvalidValue);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(),
              "Erreur lors de la lecture de quorl.WindowState: Valeur de propriété incorrecte");
  }
}

// ---- The committed descriptions ----

// The sources are UTF-8; the program (and this test's literals) use code page 1252.
// The descriptions only need its Latin-1 part, which maps one to one.
std::string Utf8ToCp1252(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[++i]);
      const unsigned code = ((c & 0x1Fu) << 6) | (next & 0x3Fu);
      if ((next & 0xC0u) != 0x80u || code < 0xA0u) {
        ADD_FAILURE() << "character outside code page 1252 at byte " << i;
      }
      out.push_back(static_cast<char>(code));
    } else {
      ADD_FAILURE() << "character outside code page 1252 at byte " << i;
    }
  }
  return out;
}

DescriptionObject ReadFormFile(const std::string& unit) {
  const std::string path = std::string(FormsDir) + "/" + unit + ".form";
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  std::ostringstream text;
  text << file.rdbuf();
  return ReadDescription(Utf8ToCp1252(text.str()));
}

const DescriptionValue* Find(const DescriptionObject& object, std::string_view name) {
  for (const DescriptionProperty& property : object.properties) {
    if (property.name == name) return &property.value;
  }
  return nullptr;
}

// The value written for `name`, in the dump's notation, or "-" when none is stored.
std::string Value(const DescriptionObject& object, std::string_view name) {
  const DescriptionValue* value = Find(object, name);
  if (value == nullptr) return "-";
  std::string out;
  Dump(*value, out);
  return out;
}

const DescriptionObject& Child(const DescriptionObject& object, std::string_view name) {
  for (const DescriptionObject& child : object.children) {
    if (child.name == name) return child;
  }
  ADD_FAILURE() << object.name << " has no control " << name;
  static const DescriptionObject none;
  return none;
}

std::vector<std::string> ChildNames(const DescriptionObject& object) {
  std::vector<std::string> names;
  for (const DescriptionObject& child : object.children) {
    names.push_back(child.name + ":" + child.className);
  }
  return names;
}

std::string Bounds(const DescriptionObject& control) {
  return Value(control, "Left") + "," + Value(control, "Top") + "," + Value(control, "Width") +
         "," + Value(control, "Height");
}

std::string Font(const DescriptionObject& object) {
  return Value(object, "Font.Name") + " " + Value(object, "Font.Height") + " " +
         Value(object, "Font.Color") + " " + Value(object, "Font.Charset") + " " +
         Value(object, "Font.Style");
}

const std::string WindowFont = "'MS Sans Serif' -11 clWindowText DEFAULT_CHARSET []";
const std::string Comic16 = "'Comic Sans MS' -16 clBlack DEFAULT_CHARSET []";

// Each "name=value" holds ("-" for no value); "bounds" and "font" stand for Bounds and Font.
void ExpectValues(const DescriptionObject& object, std::initializer_list<std::string> values) {
  for (const std::string& item : values) {
    const std::size_t equals = item.find('=');
    const std::string name = item.substr(0, equals);
    const std::string actual = name == "bounds" ? Bounds(object)
                               : name == "font" ? Font(object)
                                                : Value(object, name);
    EXPECT_EQ(actual, item.substr(equals + 1)) << object.name << "." << name;
  }
}

TEST(CommittedDescriptions, HaveTheirWindowProperties) {
  // Unit, window name and class, caption, bounds, OldCreateOrder.
  using S = std::string;
  const std::tuple<S, S, S, S, S, S> cases[] = {
      {"quorl", "quorl", "Tquorl", "'Quorl'", "-2,-1,808,580", "True"},
      {"unitscores", "score1", "Tscore1", "'Les meilleurs'", "267,66,323,498", "True"},
      {"message", "messa", "Tmessa", "'Message !'", "683,377,435,179", "True"},
      {"rgles", "regles", "Tregles", "'Règles'", "22,102,534,382", "-"},
  };
  for (const auto& [unit, name, className, caption, bounds, oldCreateOrder] : cases) {
    SCOPED_TRACE(unit);
    const DescriptionObject window = ReadFormFile(unit);
    EXPECT_EQ(window.name, name);
    EXPECT_EQ(window.className, className);
    ExpectValues(window,
                 {"Caption=" + caption, "bounds=" + bounds, "OldCreateOrder=" + oldCreateOrder,
                  "font=" + WindowFont, "PixelsPerInch=96", "TextHeight=13"});
  }
}

TEST(CommittedDescriptions, MainWindow) {
  const DescriptionObject window = ReadFormFile("quorl");
  ExpectValues(window, {"WindowState=wsMaximized", "BorderIcons=[biSystemMenu]", "Color=clGreen",
                        "Icon=<icon QUORLICON>", "Menu=MainMenu1", "OnActivate=FormActivate"});

  // Creation order: the pictures and the label are painted in it.
  const std::vector<std::string> order = {
      "Image2:TImage",     "Label2:TLabel",   "Image3:TImage",      "Edit1:TEdit",
      "ListBox1:TListBox", "Edit2:TEdit",     "BitBtn3:TBitBtn",    "BitBtn4:TBitBtn",
      "BitBtn5:TBitBtn",   "BitBtn1:TBitBtn", "MainMenu1:TMainMenu"};
  EXPECT_EQ(ChildNames(window), order);

  ExpectValues(Child(window, "Image2"), {"Align=alClient", "Picture=<bitmap QUORLBACK>"});
  ExpectValues(Child(window, "Label2"),
               {"bounds=40,440,5,23", "Color=clWhite", "ParentColor=False"});
  ExpectValues(Child(window, "Edit1"), {"bounds=432,424,65,41", "font=" + Comic16,
                                        "OnKeyDown=Edit1KeyDown", "AutoSize=False"});
  ExpectValues(Child(window, "ListBox1"),
               {"bounds=296,120,209,289", "BorderStyle=bsNone", "ItemHeight=23"});
  ExpectValues(Child(window, "Edit2"), {"Text='0'", "ReadOnly=True", "Font.Height=-24"});
  ExpectValues(Child(window, "BitBtn3"), {"bounds=640,160,136,42", "Glyph=<bitmap COMMENCER>",
                                          "OnClick=FormActivate", "TabOrder=3", "Caption=-"});
  ExpectValues(Child(window, "BitBtn4"), {"bounds=640,76,136,42", "Glyph=<bitmap REGLES>",
                                          "OnClick=Rgles1Click", "TabOrder=4"});
  ExpectValues(Child(window, "BitBtn5"), {"bounds=640,256,136,42", "Glyph=<bitmap QUITTER>",
                                          "OnClick=Quitter1Click", "TabOrder=5"});
  ExpectValues(Child(window, "BitBtn1"), {"bounds=512,512,75,25", "Glyph=-", "OnClick=BitBtn1Click",
                                          "TabOrder=6", "Visible=False", "Caption='BitBtn1'"});

  EXPECT_EQ(Dump(Child(window, "MainMenu1")),
            "MainMenu1:TMainMenu{"
            "Fichier1:TMenuItem{Caption='&Fichier';Visible=False;"
            "Quitter1:TMenuItem{Caption='&Quitter';OnClick=Quitter1Click;}}"
            "Jeu1:TMenuItem{Caption='&Jeu';Visible=False;"
            "Commencer1:TMenuItem{Caption='&Commencer';}}"
            "Infos1:TMenuItem{Caption='&Infos';Visible=False;"
            "Rgles1:TMenuItem{Caption='&Règles';OnClick=Rgles1Click;}}}");
}

TEST(CommittedDescriptions, MessageDialog) {
  const DescriptionObject window = ReadFormFile("message");
  ExpectValues(window, {"BorderIcons=[]", "Color=clBtnFace", "OnActivate=FormActivate"});
  EXPECT_EQ(ChildNames(window), (std::vector<std::string>{"Label1:TLabel", "BitBtn1:TBitBtn"}));
  ExpectValues(Child(window, "Label1"), {"bounds=10,48,5,23", "font=" + Comic16});
  ExpectValues(Child(window, "BitBtn1"), {"bounds=16,104,81,41", "Caption='OK'", "Font.Height=-19",
                                          "OnClick=BitBtn1Click", "Kind=-", "ModalResult=-"});
}

TEST(CommittedDescriptions, RulesDialog) {
  const DescriptionObject window = ReadFormFile("rgles");
  ExpectValues(window, {"Color=clGreen", "OnActivate=FormActivate"});

  const DescriptionObject& rules = Child(window, "Mquorl");
  EXPECT_EQ(rules.className, "TMemo");
  ExpectValues(rules, {"bounds=0,0,526,273",
                       "Lines=('Quorl',"
                       "'',"
                       "'Devine un nombre décimal compris entre 0 et 10.',"
                       "'Attention, ce nombre décimal a trois chiffres après la virgule.',"
                       "'',"
                       "'Pour jouer, clique sur Commencer.')",
                       "TabOrder=4", "BorderStyle=bsNone", "font=" + Comic16});

  // Ten rule memos in the same place, all hidden, with distinct tab orders; the
  // button is the first control in tab order that can take the focus.
  int memos = 0;
  std::vector<std::string> tabOrders;
  for (const DescriptionObject& control : window.children) {
    SCOPED_TRACE(control.name);
    tabOrders.push_back(Value(control, "TabOrder"));
    if (control.className != "TMemo") continue;
    ++memos;
    EXPECT_EQ(control.name[0], 'M');
    ExpectValues(control, {"bounds=" + Bounds(rules), "Visible=False"});
    EXPECT_NE(Value(control, "Lines"), "-");
    EXPECT_NE(Value(control, "TabOrder"), "1");
  }
  EXPECT_EQ(memos, 10);
  std::sort(tabOrders.begin(), tabOrders.end());
  EXPECT_EQ(std::adjacent_find(tabOrders.begin(), tabOrders.end()), tabOrders.end());

  // No caption: the kind's caption applies.
  ExpectValues(Child(window, "BitBtn1"),
               {"bounds=56,304,89,33", "Kind=bkOK", "Caption=-", "TabOrder=1", "font=" + Comic16});
}

TEST(CommittedDescriptions, BestScoresWindow) {
  const DescriptionObject window = ReadFormFile("unitscores");
  ExpectValues(window, {"OnClose=FormClose", "Color=clGreen"});
  EXPECT_EQ(ChildNames(window),
            (std::vector<std::string>{"Image1:TImage", "Edit1:TEdit", "ListBox1:TListBox",
                                      "BitBtn1:TBitBtn", "edit2:TEdit", "Edit3:TEdit",
                                      "BitBtn2:TBitBtn"}));
  EXPECT_EQ(Value(Child(window, "Image1"), "Picture"), "<bitmap SCOREBACK>");
  EXPECT_EQ(Value(Child(window, "Edit1"), "OnChange"), "Edit1Change");
  EXPECT_EQ(Bounds(Child(window, "ListBox1")), "56,16,161,257");
  ExpectValues(Child(window, "BitBtn1"), {"Default=True", "ModalResult=1", "Glyph=<bitmap FERMER>",
                                          "font='Comic Sans MS' -13 clBlack DEFAULT_CHARSET []"});
  ExpectValues(Child(window, "edit2"), {"Text='Votre nom S.V.P.'", "ReadOnly=True"});
  // No font name: the window's font applies.
  ExpectValues(Child(window, "Edit3"),
               {"bounds=8,16,41,21", "Visible=False", "Font.Name=-", "Text=-"});
  ExpectValues(Child(window, "BitBtn2"),
               {"OnClick=BitBtn2Click", "Glyph=<bitmap EFFACER>", "TabOrder=5"});
}

#ifdef _WIN32
// The descriptions as the program finds them: RCDATA resources in code page 1252.
std::string_view Resource(const char* name) {
  HRSRC found = FindResourceA(nullptr, name, RT_RCDATA);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  return {static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

TEST(StoredDescriptions, AreTheCommittedOnesInCodePage1252) {
  const std::pair<const char*, const char*> cases[] = {
      {"TQUORL", "quorl"},
      {"TSCORE1", "unitscores"},
      {"TMESSA", "message"},
      {"tregles", "rgles"}};  // names match without regard to case
  for (const auto& [resource, unit] : cases) {
    SCOPED_TRACE(resource);
    const std::string_view data = Resource(resource);
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(Dump(ReadDescription(data)), Dump(ReadFormFile(unit)));
  }
  EXPECT_EQ(Value(ReadDescription(Resource("TREGLES")), "Caption"), "'R\xe8gles'");
}
#endif

}  // namespace
