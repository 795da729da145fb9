#include "hbsdk/ui/win32/accessible_window.h"

#include "hbsdk/ui/win32/accessibility_library.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/mul_div.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/window.h"

#include <algorithm>
#include <string>
#include <vector>

namespace hbsdk::ui::win32 {
namespace {

// Runs one interface call; an exception (out of memory, a bad conversion)
// becomes a failure code instead of leaving through COM.
template <class Call>
HRESULT guarded(Call&& call) noexcept {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT give_string(const std::string& text, BSTR* out) {
  if (text.empty()) {
    return S_FALSE;
  }
  const std::u16string wide = filesystem::to_wide_replacing(text);
  *out = allocate_string(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

long system_role(accessible_role role) noexcept {
  switch (role) {
    case accessible_role::dialog:
      return ROLE_SYSTEM_DIALOG;
    case accessible_role::static_text:
      return ROLE_SYSTEM_STATICTEXT;
    case accessible_role::push_button:
      return ROLE_SYSTEM_PUSHBUTTON;
    case accessible_role::progress_bar:
      return ROLE_SYSTEM_PROGRESSBAR;
    case accessible_role::none:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

// The description's flags; the focus only counts while the window has the
// keyboard focus, and nothing in a window a pop-up holds is available.
long system_state(std::uint32_t state, HWND handle) noexcept {
  long flags = 0;
  const bool window_enabled = IsWindowEnabled(handle) != FALSE;
  if ((state & accessible_state::unavailable) != 0 || !window_enabled) flags |= STATE_SYSTEM_UNAVAILABLE;
  if ((state & accessible_state::focusable) != 0) flags |= STATE_SYSTEM_FOCUSABLE;
  if ((state & accessible_state::focused) != 0 && GetFocus() == handle) flags |= STATE_SYSTEM_FOCUSED;
  if ((state & accessible_state::default_button) != 0) flags |= STATE_SYSTEM_DEFAULT;
  return flags;
}

// VariantInit's work, without importing oleaut32.
void clear_variant(VARIANT* out) noexcept { out->vt = VT_EMPTY; }

void set_child(VARIANT* out, long id) {
  clear_variant(out);
  out->vt = VT_I4;
  out->lVal = id;
}

}  // namespace

accessible_window::accessible_window(native_window& target, HWND handle) noexcept
    : target_(&target), handle_(handle) {}

void accessible_window::disconnect() noexcept {
  target_ = nullptr;
  // Clients in other processes lose their proxies at once.
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

ui::window* accessible_window::reachable(HRESULT& refusal) const noexcept {
  if (target_ == nullptr || !IsWindow(handle_)) {
    refusal = CO_E_OBJNOTCONNECTED;
    return nullptr;
  }
  if (GetWindowThreadProcessId(handle_, nullptr) != GetCurrentThreadId()) {
    refusal = RPC_E_WRONG_THREAD;
    return nullptr;
  }
  ui::window* owner = target_->owner_window();
  if (owner == nullptr || !owner->is_created()) {
    refusal = CO_E_OBJNOTCONNECTED;
    return nullptr;
  }
  return owner;
}

long accessible_window::child_id(const ui::window& owner, const VARIANT& child) const {
  if (child.vt != VT_I4) {
    return -1;
  }
  if (child.lVal == CHILDID_SELF) {
    return CHILDID_SELF;
  }
  return owner.accessible_child(child.lVal) != nullptr ? child.lVal : -1;
}

std::vector<long> accessible_window::child_ids(const ui::window& owner) const {
  std::vector<long> ids;
  for (const widget* child : owner.accessible_children()) {
    ids.push_back(owner.accessible_id(*child));
  }
  return ids;
}

template <class Call>
HRESULT accessible_window::on_window(Call&& call) const noexcept {
  return guarded([&]() -> HRESULT {
    HRESULT refusal = S_OK;
    ui::window* owner = reachable(refusal);
    if (owner == nullptr) return refusal;
    return call(*owner);
  });
}

template <class Call>
HRESULT accessible_window::on_child(const VARIANT& child, Call&& call) const noexcept {
  return on_window([&](ui::window& owner) -> HRESULT {
    const long id = child_id(owner, child);
    if (id < 0) return E_INVALIDARG;
    return call(owner, id);
  });
}

HRESULT accessible_window::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  if (IsEqualIID(riid, IID_IEnumVARIANT)) {
    *object = static_cast<IEnumVARIANT*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG accessible_window::AddRef() { return ++references_; }

ULONG accessible_window::Release() {
  const ULONG left = --references_;
  if (left == 0) {
    delete this;
  }
  return left;
}

HRESULT accessible_window::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT accessible_window::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT accessible_window::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT accessible_window::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT accessible_window::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  HRESULT refusal = S_OK;
  if (reachable(refusal) == nullptr) return refusal;
  return accessible_object_from_window(handle_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                       reinterpret_cast<void**>(parent));
}

HRESULT accessible_window::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  return on_window([&](ui::window& owner) -> HRESULT {
    *count = static_cast<long>(owner.accessible_children().size());
    return S_OK;
  });
}

// The children are simple elements, addressed by their id alone.
HRESULT accessible_window::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return on_window([&](ui::window& owner) -> HRESULT {
    return child_id(owner, child) > 0 ? S_FALSE : E_INVALIDARG;
  });
}

HRESULT accessible_window::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    return give_string(id == CHILDID_SELF ? owner.title() : owner.accessible_child(id)->describe().name, name);
  });
}

HRESULT accessible_window::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    if (id == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    const accessible_description described = owner.accessible_child(id)->describe();
    if (described.role != accessible_role::progress_bar) return DISP_E_MEMBERNOTFOUND;
    return give_string(described.value, value);
  });
}

HRESULT accessible_window::get_accDescription(VARIANT, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  return S_FALSE;
}

HRESULT accessible_window::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  clear_variant(role);
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    const accessible_description described =
        id == CHILDID_SELF ? owner.describe() : owner.accessible_child(id)->describe();
    role->vt = VT_I4;
    role->lVal = system_role(described.role);
    return S_OK;
  });
}

HRESULT accessible_window::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  clear_variant(state);
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    long flags = 0;
    if (id == CHILDID_SELF) {
      flags = system_state(owner.describe().state | accessible_state::focused, handle_);
      if (IsWindowVisible(handle_) == FALSE) flags |= STATE_SYSTEM_INVISIBLE;
    } else {
      flags = system_state(owner.accessible_child(id)->describe().state, handle_);
    }
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
  });
}

HRESULT accessible_window::get_accHelp(VARIANT, BSTR* help) {
  if (help == nullptr) return E_POINTER;
  *help = nullptr;
  return S_FALSE;
}

HRESULT accessible_window::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (file != nullptr) *file = nullptr;
  if (topic != nullptr) *topic = -1;
  return S_FALSE;
}

HRESULT accessible_window::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  if (shortcut == nullptr) return E_POINTER;
  *shortcut = nullptr;
  return S_FALSE;
}

HRESULT accessible_window::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  clear_variant(child);
  return on_window([&](ui::window& owner) -> HRESULT {
    if (GetFocus() != handle_) return S_FALSE;
    const widget* focused = owner.focused();
    set_child(child, focused != nullptr ? owner.accessible_id(*focused) : CHILDID_SELF);
    return S_OK;
  });
}

HRESULT accessible_window::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  clear_variant(children);
  return S_FALSE;
}

HRESULT accessible_window::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    if (id == CHILDID_SELF) return S_FALSE;
    return give_string(owner.accessible_child(id)->describe().default_action, action);
  });
}

HRESULT accessible_window::accSelect(long, VARIANT) { return E_NOTIMPL; }

HRESULT accessible_window::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    const rect bounds = id == CHILDID_SELF ? owner.describe().bounds : owner.accessible_child(id)->describe().bounds;
    const point dpi = target_->dpi();
    POINT corner{mul_div(bounds.x, dpi.x, 96), mul_div(bounds.y, dpi.y, 96)};
    ClientToScreen(handle_, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = mul_div(bounds.width, dpi.x, 96);
    *height = mul_div(bounds.height, dpi.y, 96);
    return S_OK;
  });
}

// Among the window's children: first and last from the window, next and
// previous (and the spatial directions, in the same order) from a child.
HRESULT accessible_window::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  clear_variant(end);
  return on_child(start, [&](ui::window& owner, long id) -> HRESULT {
    const std::vector<long> ids = child_ids(owner);
    long found = 0;
    if (id == CHILDID_SELF) {
      if (ids.empty()) return S_FALSE;
      if (direction == NAVDIR_FIRSTCHILD) found = ids.front();
      else if (direction == NAVDIR_LASTCHILD) found = ids.back();
      else return S_FALSE;  // the window's siblings belong to its parent
    } else {
      const std::size_t at = static_cast<std::size_t>(std::find(ids.begin(), ids.end(), id) - ids.begin());
      if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
        found = at + 1 < ids.size() ? ids[at + 1] : 0;
      } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
        found = at > 0 ? ids[at - 1] : 0;
      } else {
        return E_INVALIDARG;
      }
    }
    if (found <= 0) return S_FALSE;
    set_child(end, found);
    return S_OK;
  });
}

HRESULT accessible_window::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  clear_variant(child);
  return on_window([&](ui::window& owner) -> HRESULT {
    POINT spot{x, y};
    ScreenToClient(handle_, &spot);
    RECT client{};
    GetClientRect(handle_, &client);
    if (PtInRect(&client, spot) == FALSE) return S_FALSE;
    const point dpi = target_->dpi();
    const point dips{mul_div(spot.x, 96, dpi.x), mul_div(spot.y, 96, dpi.y)};
    // The deepest widget there, or the nearest described one above it.
    long id = CHILDID_SELF;
    for (const widget* node = owner.hit_test(dips); node != nullptr && id == CHILDID_SELF; node = node->parent()) {
      id = owner.accessible_id(*node);
    }
    set_child(child, id);
    return S_OK;
  });
}

HRESULT accessible_window::accDoDefaultAction(VARIANT child) {
  return on_child(child, [&](ui::window& owner, long id) -> HRESULT {
    if (id == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    // A window held by a pop-up takes no input, from a reader either.
    if (IsWindowEnabled(handle_) == FALSE) return E_FAIL;
    return owner.request_default_action(id) ? S_OK : E_FAIL;
  });
}

HRESULT accessible_window::Next(ULONG count, VARIANT* items, ULONG* fetched) {
  if (items == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
  if (fetched != nullptr) *fetched = 0;
  return on_window([&](ui::window& owner) -> HRESULT {
    const std::vector<long> ids = child_ids(owner);
    ULONG given = 0;
    while (given < count && cursor_ < ids.size()) {
      set_child(&items[given], ids[cursor_]);
      ++given;
      ++cursor_;
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  });
}

HRESULT accessible_window::Skip(ULONG count) {
  return on_window([&](ui::window& owner) -> HRESULT {
    const ULONG size = static_cast<ULONG>(owner.accessible_children().size());
    const ULONG left = cursor_ < size ? size - cursor_ : 0;
    cursor_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  });
}

HRESULT accessible_window::Reset() {
  cursor_ = 0;
  return S_OK;
}

HRESULT accessible_window::Clone(IEnumVARIANT** copy) {
  if (copy != nullptr) *copy = nullptr;
  return E_NOTIMPL;
}

HRESULT accessible_window::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT accessible_window::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace hbsdk::ui::win32
