# The windows of the program, their controls and the bitmap button (Windows only).
# The application shell in app/ adds its sources to this library too: the windows
# derive from its TForm and its event loop drives their controls.
add_library(quorl_forms STATIC
  controls/bitmap.cpp
  controls/colours.cpp
  controls/control.cpp
  controls/edit.cpp
  controls/events.cpp
  controls/factory.cpp
  controls/font.cpp
  controls/image.cpp
  controls/label.cpp
  controls/listbox.cpp
  controls/menu.cpp
  controls/property_values.cpp
  bitbtn.cpp
  message.cpp
  quorl.cpp
  rgles.cpp
  unitscores.cpp)
target_link_libraries(quorl_forms PUBLIC quorl_description quorl_game quorl_options
  user32 gdi32 comctl32)
