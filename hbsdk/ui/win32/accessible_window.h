#pragma once
// The classic accessible-object interface (IAccessible, oleacc) of one
// toolkit window, answered from the window's portable descriptions
// (window::describe, window::accessible_children, widget::describe).
//
//   [X] the window: a dialog named by its title, focusable, focused while it
//       has the keyboard focus, unavailable while a pop-up holds it
//   [X] children addressed by child id (window::accessible_id, kept for a
//       widget's life): role, name, value, state, location in screen
//       pixels, default action; IEnumVARIANT lists the ids (AccessibleChildren)
//   [X] accDoDefaultAction queued through the window (it returns at once;
//       the press runs from the message loop), refused for a disabled button
//   [X] accFocus, accHitTest, accNavigate among the children, accParent
//       (the system's object of the window frame)
//   [ ] accSelect, put_accName/put_accValue, help texts: not provided
//
// The window's backend makes one object, hands it out for WM_GETOBJECT and
// cuts it off (disconnect) before the window goes: a client that still holds
// it then gets CO_E_OBJNOTCONNECTED from every call, and nothing freed is
// touched. Calls are answered only on the window's own thread (COM brings
// another process's calls there through the message loop).

#include <initguid.h>  // defines IID_IAccessible here instead of importing it
#include <oleacc.h>
#include <windows.h>

#include <atomic>
#include <vector>

namespace hbsdk::ui {
class native_window;
class window;
class widget;
}  // namespace hbsdk::ui

namespace hbsdk::ui::win32 {

// COM objects are destroyed by Release, never through a base pointer.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class accessible_window final : public IAccessible, public IEnumVARIANT {
public:
  accessible_window(native_window& target, HWND handle) noexcept;

  // The window is going away: no call reaches it from now on.
  void disconnect() noexcept;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch (no type information: clients call IAccessible directly)
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;
  // IEnumVARIANT: the children's ids (VT_I4) in tree order, from a cursor
  // shared by the object's clients (AccessibleChildren resets it first).
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

private:
  ~accessible_window() = default;
  // The toolkit window when a call may be answered now: connected, on the
  // window's thread, the window created; otherwise none and the reason.
  ui::window* reachable(HRESULT& refusal) const noexcept;
  // The child id of a VARIANT: CHILDID_SELF (0) or 1..n; -1 when it names none.
  long child_id(const ui::window& owner, const VARIANT& child) const;
  // The ids of the children listed now, in order.
  std::vector<long> child_ids(const ui::window& owner) const;
  // Answers a call with call(window) once the window is reachable, or with
  // the reason it is not; an exception becomes a failure code.
  template <class Call>
  HRESULT on_window(Call&& call) const noexcept;
  // The same with the child named resolved to its id (CHILDID_SELF or a
  // listed child): call(window, id); E_INVALIDARG when it names none.
  template <class Call>
  HRESULT on_child(const VARIANT& child, Call&& call) const noexcept;

  std::atomic<ULONG> references_{1};
  native_window* target_;
  HWND handle_;
  ULONG cursor_ = 0;  // IEnumVARIANT's position
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace hbsdk::ui::win32
