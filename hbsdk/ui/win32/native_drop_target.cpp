#include "hbsdk/ui/win32/native_drop_target.h"

#include "hbsdk/ui/file_drop.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/win32/kept_exception.h"

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

namespace hbsdk::ui::win32 {
namespace {

// Releases the medium that GetData filled, on every path out.
class medium_guard {
public:
  explicit medium_guard(STGMEDIUM& medium) noexcept : medium_(medium) {}
  ~medium_guard() { ReleaseStgMedium(&medium_); }
  medium_guard(const medium_guard&) = delete;
  medium_guard& operator=(const medium_guard&) = delete;

private:
  STGMEDIUM& medium_;
};

// Every path of the drop list, in its order.
std::vector<std::u16string> dropped_paths(HDROP drop) {
  std::vector<std::u16string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
    DragQueryFileW(drop, i, reinterpret_cast<LPWSTR>(buffer.data()), length + 1);
    buffer.resize(buffer.find(u'\0'));
    paths.push_back(std::move(buffer));
  }
  return paths;
}

}  // namespace

native_drop_target::native_drop_target() noexcept : ole_result_(OleInitialize(nullptr)) {
  CoLockObjectExternal(this, TRUE, FALSE);
}

native_drop_target::~native_drop_target() {
  revoke();
  // The last unlock lets OLE drop every reference it holds, so none
  // outlives the object.
  CoLockObjectExternal(this, FALSE, TRUE);
  // Only an initialisation that succeeded (S_OK, or S_FALSE when the thread
  // had OLE already) is undone; a failed one (RPC_E_CHANGED_MODE: COM is in
  // another mode on this thread) is not.
  if (SUCCEEDED(ole_result_)) {
    OleUninitialize();
  }
}

bool native_drop_target::register_window(native_window& owner, HWND handle) noexcept {
  if (handle_ != nullptr || handle == nullptr) {
    return false;
  }
  if (FAILED(RegisterDragDrop(handle, this))) {
    return false;
  }
  owner_ = &owner;
  handle_ = handle;
  return true;
}

void native_drop_target::revoke() noexcept {
  if (handle_ != nullptr) {
    RevokeDragDrop(handle_);
    handle_ = nullptr;
  }
}

HRESULT STDMETHODCALLTYPE native_drop_target::QueryInterface(REFIID id, void** out) {
  if (out == nullptr) {
    return E_FAIL;
  }
  if (IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(IDropTarget))) {
    AddRef();
    *out = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_FAIL;
}

ULONG STDMETHODCALLTYPE native_drop_target::AddRef() { return static_cast<ULONG>(++references_); }

// The count may reach 0, but the object is not freed: it belongs to its window.
ULONG STDMETHODCALLTYPE native_drop_target::Release() { return static_cast<ULONG>(--references_); }

HRESULT STDMETHODCALLTYPE native_drop_target::DragEnter(IDataObject*, DWORD, POINTL, DWORD*) { return S_OK; }

// The point argument is not used: the widget is the one under the pointer,
// as for every other pointer event.
HRESULT STDMETHODCALLTYPE native_drop_target::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) {
    return E_INVALIDARG;
  }
  try {
    window* target = owner_ != nullptr ? owner_->owner_window() : nullptr;
    *effect = target != nullptr && drop_wanted(*target) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    return S_OK;
  } catch (...) {
    keep_exception(std::current_exception());
    *effect = DROPEFFECT_NONE;
    return E_UNEXPECTED;
  }
}

HRESULT STDMETHODCALLTYPE native_drop_target::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE native_drop_target::Drop(IDataObject* data, DWORD, POINTL, DWORD*) {
  if (data == nullptr) {
    return E_INVALIDARG;
  }
  try {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) {
      return E_FAIL;
    }
    std::vector<std::u16string> paths;
    {
      const medium_guard release(medium);
      // A source that answers with another kind of medium has no file list.
      if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
        return E_FAIL;
      }
      paths = dropped_paths(static_cast<HDROP>(medium.hGlobal));
    }
    if (window* target = owner_ != nullptr ? owner_->owner_window() : nullptr; target != nullptr) {
      deliver_dropped_files(*target, paths);
    }
    return S_OK;
  } catch (...) {
    keep_exception(std::current_exception());
    return E_UNEXPECTED;
  }
}

}  // namespace hbsdk::ui::win32
