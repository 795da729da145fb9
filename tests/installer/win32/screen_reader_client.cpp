// A screen reader's view of the installer, from a process of its own: finds
// the wizard's window, reads its accessible tree through the system
// (AccessibleObjectFromWindow, AccessibleChildren), checks roles, names,
// states and locations against the wizard's layout, then installs the pack
// by default actions alone (no mouse, no keys): Cancel opens the exit
// question, whose Cancel answer keeps the wizard; Next twice starts the
// installation; Finish closes the wizard. A WinEvent hook (out of context)
// must see the focus, name and state notifications on the way.
//
//   screen_reader_client            prints what it read and checked;
//                                   exits 0 when everything held, 1 otherwise

#include <initguid.h>
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* wizard_title = L"Tidewater Kit Pack Installer";
constexpr const wchar_t* question_title = L"Exit Installer";
constexpr DWORD wait_milliseconds = 20000;

int failures = 0;

void check(bool condition, const std::string& what) {
  std::printf("%s %s\n", condition ? "ok  " : "FAIL", what.c_str());
  if (!condition) ++failures;
  std::fflush(stdout);
}

std::string narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

struct seen_event {
  DWORD event;
  HWND window;
  LONG object;
  LONG child;
};
std::vector<seen_event> events;

void CALLBACK on_event(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  events.push_back({event, window, object, child});
}

// Pumps this thread's messages (the hook's calls arrive through them) until
// the condition holds or the deadline passes.
bool pump_until(const std::function<bool()>& condition, DWORD timeout = wait_milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + timeout;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

VARIANT child_variant(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

struct item {
  LONG id = 0;
  LONG role = 0;
  LONG state = 0;
  std::string name;
  std::string value;
  std::string action;
  RECT location{};
};

std::string take(BSTR text) {
  if (text == nullptr) return {};
  std::string out = narrow(std::wstring(text, SysStringLen(text)));
  SysFreeString(text);
  return out;
}

item read_item(IAccessible& object, LONG id) {
  item out;
  out.id = id;
  const VARIANT child = child_variant(id);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object.get_accRole(child, &role)) && role.vt == VT_I4) out.role = role.lVal;
  VARIANT state;
  VariantInit(&state);
  if (SUCCEEDED(object.get_accState(child, &state)) && state.vt == VT_I4) out.state = state.lVal;
  BSTR text = nullptr;
  if (object.get_accName(child, &text) == S_OK) out.name = take(text);
  text = nullptr;
  if (object.get_accValue(child, &text) == S_OK) out.value = take(text);
  text = nullptr;
  if (object.get_accDefaultAction(child, &text) == S_OK) out.action = take(text);
  long left = 0, top = 0, width = 0, height = 0;
  if (SUCCEEDED(object.accLocation(&left, &top, &width, &height, child))) {
    out.location = {left, top, left + width, top + height};
  }
  return out;
}

// The window's object and its children, as AccessibleChildren gives them.
struct tree {
  item self;
  std::vector<item> children;
  const item* named(const std::string& name) const {
    for (const item& candidate : children) {
      if (candidate.name == name) return &candidate;
    }
    return nullptr;
  }
  const item* starting(const std::string& prefix) const {
    for (const item& candidate : children) {
      if (candidate.name.rfind(prefix, 0) == 0) return &candidate;
    }
    return nullptr;
  }
  const item* with_role(LONG role) const {
    for (const item& candidate : children) {
      if (candidate.role == role) return &candidate;
    }
    return nullptr;
  }
};

tree read_tree(IAccessible& object) {
  tree out;
  out.self = read_item(object, CHILDID_SELF);
  long count = 0;
  object.get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long obtained = 0;
  if (count > 0 && SUCCEEDED(AccessibleChildren(&object, 0, count, children.data(), &obtained))) {
    for (long i = 0; i < obtained; ++i) {
      VARIANT& child = children[static_cast<std::size_t>(i)];
      if (child.vt == VT_I4) out.children.push_back(read_item(object, child.lVal));
      VariantClear(&child);
    }
  }
  return out;
}

void print_tree(const char* heading, const tree& read) {
  std::printf("%s: role %ld, name \"%s\", state 0x%lx, %zu children\n", heading, read.self.role, read.self.name.c_str(),
              read.self.state, read.children.size());
  for (const item& child : read.children) {
    std::printf("  %ld: role %ld state 0x%lx at (%ld, %ld, %ld, %ld) \"%s\"%s%s\n", child.id, child.role, child.state,
                child.location.left, child.location.top, child.location.right, child.location.bottom,
                child.name.substr(0, 60).c_str(), child.value.empty() ? "" : " value ", child.value.c_str());
  }
  std::fflush(stdout);
}

IAccessible* object_of(HWND window) {
  IAccessible* object = nullptr;
  const HRESULT result = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                    reinterpret_cast<void**>(&object));
  return SUCCEEDED(result) ? object : nullptr;
}

// The child's location against a rectangle of the window's client area.
bool located_at(HWND window, const item* child, RECT client) {
  if (child == nullptr) return false;
  POINT corner{client.left, client.top};
  ClientToScreen(window, &corner);
  return child->location.left == corner.x && child->location.top == corner.y &&
         child->location.right - child->location.left == client.right - client.left &&
         child->location.bottom - child->location.top == client.bottom - client.top;
}

bool has(const item* child, LONG flag) { return child != nullptr && (child->state & flag) != 0; }

bool saw(DWORD event, HWND window, LONG child) {
  for (const seen_event& e : events) {
    if (e.event == event && e.window == window && e.object == OBJID_CLIENT && (child < 0 || e.child == child)) {
      return true;
    }
  }
  return false;
}

// Asks for the default action of the named child; the HRESULT.
HRESULT press(IAccessible& object, const std::string& name) {
  const tree read = read_tree(object);
  const item* button = read.named(name);
  if (button == nullptr) {
    check(false, "a button named \"" + name + "\" to press");
    return E_FAIL;
  }
  return object.accDoDefaultAction(child_variant(button->id));
}

// Waits until the tree has a child whose name starts with the prefix.
bool wait_text(IAccessible& object, const std::string& prefix) {
  return pump_until([&] { return read_tree(object).starting(prefix) != nullptr; });
}

void run() {
  HWND wizard = nullptr;
  pump_until([&] {
    wizard = FindWindowW(nullptr, wizard_title);
    return wizard != nullptr && IsWindowVisible(wizard);
  });
  check(wizard != nullptr, "the wizard's window is found");
  if (wizard == nullptr) return;
  DWORD process = 0;
  GetWindowThreadProcessId(wizard, &process);
  // Every event of the installer's process (with WINEVENT_SKIPOWNPROCESS
  // added, Wine 8 delivers none at all).
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, on_event, process, 0, WINEVENT_OUTOFCONTEXT);
  check(hook != nullptr, "the WinEvent hook is set");

  IAccessible* object = object_of(wizard);
  check(object != nullptr, "AccessibleObjectFromWindow gives the wizard's object");
  if (object == nullptr) return;
  // The welcome page: the wizard's look on the client area.
  pump_until([&] { return read_tree(*object).named("Next >") != nullptr; });
  tree read = read_tree(*object);
  print_tree("welcome", read);
  check(read.self.role == ROLE_SYSTEM_DIALOG && read.self.name == narrow(wizard_title),
        "the window is a dialog named by its title");
  const item* title = read.named(narrow(wizard_title));
  check(title != nullptr && title->role == ROLE_SYSTEM_STATICTEXT, "the title line is static text");
  check(read.starting("This will install Tidewater Kit on your computer.") != nullptr, "the welcome text is read");
  const item* back = read.named("< Back");
  const item* next = read.named("Next >");
  const item* cancel = read.named("Cancel");
  check(back != nullptr && back->role == ROLE_SYSTEM_PUSHBUTTON && has(back, STATE_SYSTEM_UNAVAILABLE),
        "Back is a push button, unavailable");
  check(next != nullptr && next->role == ROLE_SYSTEM_PUSHBUTTON && !has(next, STATE_SYSTEM_UNAVAILABLE) &&
            has(next, STATE_SYSTEM_DEFAULT) && next->action == "Press",
        "Next is the available default push button, pressed by \"Press\"");
  check(cancel != nullptr && !has(cancel, STATE_SYSTEM_UNAVAILABLE), "Cancel is available");
  check(located_at(wizard, back, {200, 320, 285, 350}) && located_at(wizard, next, {290, 320, 375, 350}) &&
            located_at(wizard, cancel, {405, 320, 490, 350}),
        "the buttons' locations are their client rectangles on the screen");
  check(located_at(wizard, &read.self, {0, 0, 500, 360}), "the window's location is its client area");
  if (GetForegroundWindow() == wizard) {
    check(has(next, STATE_SYSTEM_FOCUSED), "Next has the focus");
  }
  check(press(*object, "< Back") == E_FAIL, "the default action of the disabled Back is refused");
  const LONG back_id = back != nullptr ? back->id : -2;
  const LONG next_id = next != nullptr ? next->id : -2;

  // Cancel asks first; the question's Cancel keeps the wizard.
  check(press(*object, "Cancel") == S_OK, "Cancel's default action is taken");
  HWND question = nullptr;
  pump_until([&] {
    question = FindWindowW(nullptr, question_title);
    return question != nullptr && IsWindowVisible(question);
  });
  check(question != nullptr, "the exit question opens");
  if (question != nullptr) {
    IAccessible* asking = object_of(question);
    check(asking != nullptr, "the question answers the query");
    if (asking != nullptr) {
      pump_until([&] { return read_tree(*asking).named("Cancel") != nullptr; });
      const tree popup = read_tree(*asking);
      print_tree("question", popup);
      check(popup.self.role == ROLE_SYSTEM_DIALOG && popup.self.name == "Exit Installer",
            "the question is a dialog named \"Exit Installer\"");
      const item* message = popup.starting("Are you sure you want to cancel");
      check(message != nullptr && message->role == ROLE_SYSTEM_STATICTEXT, "its message is static text");
      const item* keep = popup.named("Cancel");
      check(popup.named("OK") != nullptr && has(keep, STATE_SYSTEM_DEFAULT), "OK and Cancel, Cancel the default");
      check(has(read_tree(*object).named("Next >"), STATE_SYSTEM_UNAVAILABLE),
            "the wizard's buttons are unavailable behind the question");
      check(press(*asking, "Cancel") == S_OK, "the question's Cancel is pressed");
      check(pump_until([&] { return !IsWindowVisible(question); }), "the question closes");
      asking->Release();
    }
  }
  check(pump_until([&] { return !has(read_tree(*object).named("Next >"), STATE_SYSTEM_UNAVAILABLE); }),
        "the wizard is available again");

  // The summary page, then the installation.
  check(press(*object, "Next >") == S_OK, "Next's default action is taken");
  check(wait_text(*object, "Installing Tidewater Kit on:"), "the summary page's text is read");
  read = read_tree(*object);
  print_tree("summary", read);
  check(!has(read.named("< Back"), STATE_SYSTEM_UNAVAILABLE), "Back is available on the summary page");
  check(read.named("< Back") != nullptr && read.named("< Back")->id == back_id &&
            read.named("Next >") != nullptr && read.named("Next >")->id == next_id,
        "the buttons keep their child ids across pages");
  check(saw(EVENT_OBJECT_STATECHANGE, wizard, back_id), "Back's state change was announced with its id");
  check(saw(EVENT_OBJECT_REORDER, wizard, -1), "the page change was announced");
  check(press(*object, "Next >") == S_OK, "Next's default action is taken again");
  check(wait_text(*object, "Assets installed."), "the installing page reads \"Assets installed.\"");
  check(pump_until([&] { return read_tree(*object).named("Finish") != nullptr; }), "Cancel became Finish");
  read = read_tree(*object);
  print_tree("installed", read);
  check(read.starting("Tidewater Kit Pack was successfully installed.") != nullptr, "the headline says so");
  const item* bar = read.with_role(ROLE_SYSTEM_PROGRESSBAR);
  check(bar != nullptr && bar->value == "100%", "the progress bar reads 100%");
  check(located_at(wizard, bar, {170, 230, 470, 244}), "the progress bar's location");
  const item* finish = read.named("Finish");
  check(has(finish, STATE_SYSTEM_DEFAULT), "Finish is the default button");
  check(finish != nullptr && saw(EVENT_OBJECT_NAMECHANGE, wizard, finish->id), "Finish's new name was announced");
  check(saw(EVENT_OBJECT_NAMECHANGE, wizard, -1), "text changes were announced");
  check(saw(EVENT_OBJECT_VALUECHANGE, wizard, bar != nullptr ? bar->id : -1), "the progress was announced");
  check(saw(EVENT_OBJECT_FOCUS, wizard, finish != nullptr ? finish->id : -2) ||
            saw(EVENT_OBJECT_FOCUS, wizard, next_id),
        "a focus change to a button was announced");
  std::printf("the hook saw %zu events\n", events.size());
  for (const seen_event& e : events) std::printf("  event 0x%lx window %p object %ld child %ld\n", e.event, static_cast<void*>(e.window), e.object, e.child);
  check(press(*object, "Finish") == S_OK, "Finish's default action is taken");
  check(pump_until([&] { return !IsWindow(wizard); }), "the wizard closes");
  // The object outlives the window: every call is refused, nothing crashes.
  long count = 0;
  check(FAILED(object->get_accChildCount(&count)), "a call on the object of a closed wizard fails");
  object->Release();
  if (hook != nullptr) UnhookWinEvent(hook);
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  run();
  CoUninitialize();
  std::printf("screen reader client: %d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
