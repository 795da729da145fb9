#pragma once
// The OLE drop target of one toolkit window: files dragged from the shell
// over the window show the move effect where the widget under the pointer
// wants them (drop_wanted), and dropped files reach that widget as
// files_dropped (deliver_dropped_files, which leaves folders out).
//
//   QueryInterface  S_OK (and a reference) for IUnknown and IDropTarget;
//                   E_FAIL, with a null out pointer, for any other interface
//                   and for a missing out pointer
//   AddRef/Release  an atomic count starting at 1 (the window's reference);
//                   Release never frees: the object lives inside its window
//                   backend and goes away with it
//   DragEnter       S_OK; the effect the source proposes stands
//   DragOver        DROPEFFECT_MOVE when the widget under the pointer wants
//                   files, DROPEFFECT_NONE otherwise
//   DragLeave       S_OK
//   Drop            the CF_HDROP list (HGLOBAL) of the data object, each path
//                   read with DragQueryFileW, the medium released, then
//                   delivered, also when no path is left; S_OK, the effect
//                   left as it is. A data object without a file list: E_FAIL
//                   and nothing delivered.
//
// Its life (the window backend drives it): constructed with OLE initialised
// on the thread (OleInitialize) and the object locked (CoLockObjectExternal);
// registered for the handle once the window is made (RegisterDragDrop);
// revoked before the handle goes away; unlocked and OLE uninitialised when it
// is destroyed (OLE is uninitialised only when this object initialised it).
//
// OLE calls it from its own frames (while a message is dispatched, or inside
// DoDragDrop), so nothing may unwind out of it: what a callback throws is
// kept (kept_exception.h), the method returns E_UNEXPECTED, and the message
// pump rethrows it once it is back in toolkit code.

#include <windows.h>

#include <ole2.h>

#include <atomic>

namespace hbsdk::ui {
class native_window;
}

namespace hbsdk::ui::win32 {

// COM interfaces have no virtual destructor: their objects are never deleted
// through them (this one is not deleted through any pointer at all).
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class native_drop_target final : public IDropTarget {
public:
  native_drop_target() noexcept;
  ~native_drop_target();
  native_drop_target(const native_drop_target&) = delete;
  native_drop_target& operator=(const native_drop_target&) = delete;

  // Registers the handle of the native window, once; true when registered.
  bool register_window(native_window& owner, HWND handle) noexcept;
  // Revokes the registration, if there is one.
  void revoke() noexcept;
  bool registered() const noexcept { return handle_ != nullptr; }
  HRESULT ole_result() const noexcept { return ole_result_; }
  // The current reference count.
  LONG references() const noexcept { return references_.load(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD key_state, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD key_state, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD key_state, POINTL point, DWORD* effect) override;

private:
  HRESULT ole_result_;
  native_window* owner_ = nullptr;
  HWND handle_ = nullptr;
  std::atomic<LONG> references_{1};
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace hbsdk::ui::win32
