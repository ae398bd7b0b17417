#pragma once

// The X server as a user's eyes and keyboard, for the checks in real
// windows: the titles and classes of the windows shown, and keys typed
// through the input-faking extension. Keys are named by their keysyms (what
// a key means: 's', Return, Alt) and found in the server's keyboard
// mapping, so the key events take the whole way a user's do. Header only,
// like WindowCheck.h.

#include "tests/support/window/WindowCheck.h"

#include <QString>
#include <QStringList>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace WindowCheck {

// Keysyms of the keys the checks press; a printable ASCII character's
// keysym is its code.
constexpr uint32_t KeyTab = 0xff09;
constexpr uint32_t KeyReturn = 0xff0d;
constexpr uint32_t KeyEscape = 0xff1b;
constexpr uint32_t KeyHome = 0xff50;
constexpr uint32_t KeyUp = 0xff52;
constexpr uint32_t KeyDown = 0xff54;
constexpr uint32_t KeyEnd = 0xff57;
constexpr uint32_t KeyShift = 0xffe1;
constexpr uint32_t KeyAlt = 0xffe9;

class TXDesktop {
 public:
  explicit TXDesktop(TFakeMouse& Input)
      : FConnection(xcb_connect(nullptr, nullptr)), FInput(Input) {
    if (xcb_connection_has_error(FConnection)) return;
    const xcb_setup_t* Setup = xcb_get_setup(FConnection);
    FRoot = xcb_setup_roots_iterator(Setup).data->root;
    FMinKeycode = Setup->min_keycode;
    const auto Count = static_cast<uint8_t>(Setup->max_keycode - Setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* Map = xcb_get_keyboard_mapping_reply(
        FConnection, xcb_get_keyboard_mapping(FConnection, FMinKeycode, Count), nullptr);
    if (Map != nullptr) {
      FPerKeycode = Map->keysyms_per_keycode;
      const xcb_keysym_t* Syms = xcb_get_keyboard_mapping_keysyms(Map);
      FKeysyms.assign(Syms, Syms + xcb_get_keyboard_mapping_keysyms_length(Map));
      std::free(Map);
    }
    FUtf8Name = Atom("_NET_WM_NAME");
  }
  ~TXDesktop() { xcb_disconnect(FConnection); }
  TXDesktop(const TXDesktop&) = delete;
  TXDesktop& operator=(const TXDesktop&) = delete;

  // Titles of the top-level windows a user sees.
  QStringList ShownTitles() {
    QStringList Titles;
    for (xcb_window_t Window : ShownWindows()) Titles << TitleOf(Window);
    return Titles;
  }

  // Whether a shown window's title starts with Title.
  bool Shows(const QString& Title) { return WindowTitled(Title) != XCB_WINDOW_NONE; }

  // Gives the window Title the keyboard, as a window manager does when the
  // user clicks it (the server has none).
  bool Focus(const QString& Title) {
    const xcb_window_t Window = WindowTitled(Title);
    if (Window == XCB_WINDOW_NONE) return false;
    const xcb_void_cookie_t Cookie = xcb_set_input_focus_checked(
        FConnection, XCB_INPUT_FOCUS_POINTER_ROOT, Window, XCB_CURRENT_TIME);
    xcb_generic_error_t* Error = xcb_request_check(FConnection, Cookie);
    std::free(Error);
    return Error == nullptr;
  }

  // The title the window system shows for Window: its UTF-8 name, else its
  // plain name.
  QString TitleOf(xcb_window_t Window) {
    for (xcb_atom_t Name : {FUtf8Name, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
      const QByteArray Value = Property(Window, Name);
      if (!Value.isEmpty()) return QString::fromUtf8(Value);
    }
    return QString();
  }

  // The class a task bar groups Window under: the second of the two names
  // of its WM_CLASS (instance, class).
  QString ClassOf(xcb_window_t Window) {
    const QList<QByteArray> Names = Property(Window, XCB_ATOM_WM_CLASS).split('\0');
    return Names.size() > 1 ? QString::fromLocal8Bit(Names[1]) : QString();
  }

  // Presses and releases Keysym, with Modifier (a keysym) held when given.
  bool Press(uint32_t Keysym, uint32_t Modifier = 0) {
    uint8_t Code = 0, ModifierCode = 0;
    bool Shifted = false, Unused = false;
    if (!KeycodeOf(Keysym, Code, Shifted)) return false;
    if (Modifier != 0 && !KeycodeOf(Modifier, ModifierCode, Unused)) return false;
    uint8_t ShiftCode = 0;
    if (Shifted && !KeycodeOf(KeyShift, ShiftCode, Unused)) return false;
    bool Ok = true;
    if (ModifierCode != 0) Ok = FInput.Key(ModifierCode, true) && Ok;
    if (Shifted) Ok = FInput.Key(ShiftCode, true) && Ok;
    Ok = FInput.Key(Code, true) && FInput.Key(Code, false) && Ok;
    if (Shifted) Ok = FInput.Key(ShiftCode, false) && Ok;
    if (ModifierCode != 0) Ok = FInput.Key(ModifierCode, false) && Ok;
    return Ok;
  }

  // Types printable ASCII text.
  bool Type(const QString& Text) {
    for (QChar C : Text)
      if (!Press(C.unicode())) return false;
    return true;
  }

 private:
  xcb_atom_t Atom(const char* Name) {
    xcb_intern_atom_reply_t* Reply = xcb_intern_atom_reply(
        FConnection,
        xcb_intern_atom(FConnection, 0, static_cast<uint16_t>(std::strlen(Name)), Name), nullptr);
    const xcb_atom_t Result = Reply != nullptr ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(Reply);
    return Result;
  }

  QByteArray Property(xcb_window_t Window, xcb_atom_t Name) {
    xcb_get_property_reply_t* Reply = xcb_get_property_reply(
        FConnection, xcb_get_property(FConnection, 0, Window, Name, XCB_ATOM_ANY, 0, 1024),
        nullptr);
    QByteArray Value;
    if (Reply != nullptr && xcb_get_property_value_length(Reply) > 0)
      Value = QByteArray(static_cast<const char*>(xcb_get_property_value(Reply)),
                         xcb_get_property_value_length(Reply));
    std::free(Reply);
    return Value;
  }

  std::vector<xcb_window_t> ShownWindows() {
    std::vector<xcb_window_t> Shown;
    xcb_query_tree_reply_t* Tree =
        xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, FRoot), nullptr);
    if (Tree == nullptr) return Shown;
    const xcb_window_t* Children = xcb_query_tree_children(Tree);
    for (int I = 0; I < xcb_query_tree_children_length(Tree); ++I)
      if (Viewable(Children[I])) Shown.push_back(Children[I]);
    std::free(Tree);
    return Shown;
  }

  xcb_window_t WindowTitled(const QString& Title) {
    for (xcb_window_t Window : ShownWindows())
      if (TitleOf(Window).startsWith(Title)) return Window;
    return XCB_WINDOW_NONE;
  }

  bool Viewable(xcb_window_t Window) {
    xcb_get_window_attributes_reply_t* Attributes = xcb_get_window_attributes_reply(
        FConnection, xcb_get_window_attributes(FConnection, Window), nullptr);
    const bool Result = Attributes != nullptr && Attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(Attributes);
    return Result;
  }

  // The key that gives Keysym, unshifted (first column) or shifted (second).
  bool KeycodeOf(uint32_t Keysym, uint8_t& Keycode, bool& Shifted) const {
    for (int Column = 0; Column < std::min(FPerKeycode, 2); ++Column)
      for (size_t I = 0; I * FPerKeycode < FKeysyms.size(); ++I)
        if (FKeysyms[I * FPerKeycode + Column] == Keysym) {
          Keycode = static_cast<uint8_t>(FMinKeycode + I);
          Shifted = Column == 1;
          return true;
        }
    std::printf("FAILED: no key gives keysym 0x%x\n", Keysym);
    return false;
  }

  xcb_connection_t* FConnection;
  TFakeMouse& FInput;
  xcb_window_t FRoot = 0;
  xcb_atom_t FUtf8Name = XCB_ATOM_NONE;
  uint8_t FMinKeycode = 0;
  int FPerKeycode = 0;
  std::vector<xcb_keysym_t> FKeysyms;
};

}  // namespace WindowCheck
