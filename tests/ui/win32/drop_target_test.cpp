// The OLE drop target of a Win32 window, called through its COM interface
// with a data object of the test's own holding a CF_HDROP list (two files
// and a folder), over a widget with a files_dropped list and over one
// without; its registration with OLE; and a whole drag through DoDragDrop.
#include "ui/win32/native_window_fixture.h"

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/win32/kept_exception.h"
#include "hbsdk/ui/win32/win32_window_backend.h"
#include "support/temp_folder.h"

#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace hb_test;

// The COM objects of the test are never deleted through their interfaces.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

namespace {

// Frees the HGLOBAL of a medium when ReleaseStgMedium releases it, and counts that.
class medium_owner final : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override {
    ++releases;
    GlobalFree(std::exchange(memory, nullptr));
    return 1;
  }
  HGLOBAL memory = nullptr;
  int releases = 0;
};

// QueryInterface of a test object that lives on the stack and answers for
// IUnknown and its one interface.
template <class Interface>
HRESULT answer_query(Interface* self, REFIID id, void** out) {
  if (IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(Interface))) {
    *out = self;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// A data object holding a shell file list (DROPFILES and the wide paths, each
// ending in a zero, the list in another), given out as CF_HDROP in an HGLOBAL.
class file_list_data final : public IDataObject {
public:
  explicit file_list_data(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    return answer_query<IDataObject>(this, id, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    ++requests;
    asked = *format;
    if (fail || format->cfFormat != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0) {
      return DV_E_FORMATETC;
    }
    owner.memory = file_list();
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = owner.memory;
    medium->pUnkForRelease = &owner;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  bool fail = false;
  int requests = 0;
  FORMATETC asked{};
  medium_owner owner;

private:
  HGLOBAL file_list() const {
    std::wstring names;
    for (const std::wstring& path : paths_) {
      names += path;
      names += L'\0';
    }
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
  }

  std::vector<std::wstring> paths_;
};

// Drops after a few checks, so the drag enters and moves over the target first.
class dropping_source final : public IDropSource {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    return answer_query<IDropSource>(this, id, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    ++checks;
    if (checks > 200) return DRAGDROP_S_CANCEL;  // never hang the test
    return checks > 4 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    feedback.push_back(effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  int checks = 0;
  std::vector<DWORD> feedback;
};

class drop_target_test : public native_window_test {
protected:
  drop_target_test() {
    std::ofstream(folder.path() / "a.txt") << "a";
    std::ofstream(folder.path() / "b.obj") << "b";
    std::filesystem::create_directory(folder.path() / "maps");
    std::filesystem::create_directory(folder.path() / "more");
    ui::connect(&probe.left, ui::event_type::files_dropped, [this](const ui::event_info& e) {
      received.push_back(*ui::value_pointer<const std::vector<std::u16string>>(e.value));
    });
  }

  ui::win32::native_drop_target& target() {
    return static_cast<ui::win32::win32_window_backend&>(probe.native().backend()).drop_target();
  }
  // The shell's spelling of an entry of the folder, with forward slashes
  // when asked, and the toolkit's (backslashes).
  std::wstring shell_path(const char* name, bool slashes = false) const {
    std::wstring text = (folder.path() / name).wstring();
    if (slashes) std::replace(text.begin(), text.end(), L'\\', L'/');
    return text;
  }
  std::u16string toolkit_path(const char* name) const {
    const std::wstring text = (folder.path() / name).wstring();
    return {text.begin(), text.end()};
  }
  // Puts the pointer over a panel of the window.
  void point_at(const counting_panel& panel) {
    const ui::rect client = probe.native().client_rect();
    ASSERT_TRUE(SetCursorPos(client.x + panel.x() + 50, client.y + 100));
  }
  DWORD drag_over() {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target().DragOver(MK_LBUTTON, {0, 0}, &effect), S_OK);
    return effect;
  }
  HRESULT drop(IDataObject* data, DWORD& effect) { return target().Drop(data, MK_LBUTTON, {0, 0}, &effect); }

  temp_folder folder;
  panel_window probe;
  std::vector<std::vector<std::u16string>> received;
};

}  // namespace

TEST_F(drop_target_test, the_window_registers_its_target_with_ole) {
  EXPECT_TRUE(SUCCEEDED(target().ole_result()));
  EXPECT_TRUE(target().registered());
  // Another target cannot take the handle: it is registered already.
  IDropTarget* ours = &target();
  EXPECT_EQ(RegisterDragDrop(probe.hwnd(), ours), DRAGDROP_E_ALREADYREGISTERED);
}

TEST_F(drop_target_test, query_interface_answers_for_its_two_interfaces_only) {
  IDropTarget& com = target();
  const LONG start = target().references();
  void* out = nullptr;
  EXPECT_EQ(com.QueryInterface(__uuidof(IUnknown), &out), S_OK);
  EXPECT_EQ(out, static_cast<void*>(&com));
  EXPECT_EQ(com.QueryInterface(__uuidof(IDropTarget), &out), S_OK);
  EXPECT_EQ(target().references(), start + 2);
  out = &out;
  EXPECT_EQ(com.QueryInterface(__uuidof(IDataObject), &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(com.QueryInterface(__uuidof(IDropTarget), nullptr), E_FAIL);
  EXPECT_EQ(target().references(), start + 2);
  EXPECT_EQ(com.Release(), static_cast<ULONG>(start + 1));
  EXPECT_EQ(com.Release(), static_cast<ULONG>(start));
  EXPECT_EQ(com.AddRef(), static_cast<ULONG>(start + 1));
  com.Release();
}

TEST_F(drop_target_test, the_move_effect_shows_only_over_an_enabled_widget_with_a_list) {
  file_list_data data({shell_path("a.txt")});
  DWORD proposed = DROPEFFECT_COPY;
  EXPECT_EQ(target().DragEnter(&data, MK_LBUTTON, {0, 0}, &proposed), S_OK);
  EXPECT_EQ(proposed, static_cast<DWORD>(DROPEFFECT_COPY));  // the source's effect stands
  EXPECT_EQ(data.requests, 0);

  point_at(probe.left);
  EXPECT_EQ(drag_over(), static_cast<DWORD>(DROPEFFECT_MOVE));
  point_at(probe.right);
  EXPECT_EQ(drag_over(), static_cast<DWORD>(DROPEFFECT_NONE));
  probe.left.set_enabled(false);
  point_at(probe.left);
  EXPECT_EQ(drag_over(), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(target().DragLeave(), S_OK);
  EXPECT_EQ(target().DragOver(0, {0, 0}, nullptr), E_INVALIDARG);
}

TEST_F(drop_target_test, a_drop_delivers_the_files_in_the_shells_order_without_the_folder) {
  file_list_data data({shell_path("b.obj", true), shell_path("maps"), shell_path("a.txt")});
  point_at(probe.left);
  DWORD effect = 0x1234;
  EXPECT_EQ(drop(&data, effect), S_OK);
  EXPECT_EQ(effect, 0x1234u);  // not written
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], (std::vector<std::u16string>{toolkit_path("b.obj"), toolkit_path("a.txt")}));
  // The list was asked for as an HGLOBAL CF_HDROP of the content, and released.
  EXPECT_EQ(data.asked.cfFormat, CF_HDROP);
  EXPECT_EQ(data.asked.ptd, nullptr);
  EXPECT_EQ(data.asked.dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
  EXPECT_EQ(data.asked.lindex, -1);
  EXPECT_EQ(data.asked.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(data.owner.releases, 1);
}

TEST_F(drop_target_test, a_drop_of_folders_only_delivers_an_empty_list) {
  file_list_data data({shell_path("maps"), shell_path("more", true)});
  point_at(probe.left);
  DWORD effect = 0;
  EXPECT_EQ(drop(&data, effect), S_OK);
  EXPECT_EQ(received, (std::vector<std::vector<std::u16string>>{{}}));
}

TEST_F(drop_target_test, a_drop_over_a_widget_without_a_list_or_without_a_file_list_delivers_nothing) {
  file_list_data files({shell_path("a.txt")});
  DWORD effect = 0;
  point_at(probe.right);
  EXPECT_EQ(drop(&files, effect), S_OK);
  EXPECT_EQ(files.owner.releases, 1);

  file_list_data failing({shell_path("a.txt")});
  failing.fail = true;
  point_at(probe.left);
  EXPECT_EQ(drop(&failing, effect), E_FAIL);
  EXPECT_EQ(failing.requests, 1);
  EXPECT_EQ(drop(nullptr, effect), E_INVALIDARG);
  EXPECT_TRUE(received.empty());
}

TEST_F(drop_target_test, an_exception_from_a_callback_is_kept_and_not_thrown_into_ole) {
  ui::connect(&probe.left, ui::event_type::files_dropped,
              [](const ui::event_info&) { throw std::runtime_error("thrown by a drop callback"); });
  file_list_data data({shell_path("a.txt")});
  point_at(probe.left);
  DWORD effect = 0;
  EXPECT_EQ(drop(&data, effect), E_UNEXPECTED);
  EXPECT_EQ(data.owner.releases, 1);
  EXPECT_THROW(ui::win32::rethrow_kept_exception(), std::runtime_error);
}

TEST_F(drop_target_test, a_drag_through_ole_drops_on_the_widget_under_the_pointer) {
  show(probe);
  SetWindowPos(probe.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  point_at(probe.left);
  file_list_data data({shell_path("a.txt"), shell_path("maps")});
  dropping_source source;
  DWORD effect = DROPEFFECT_NONE;
  EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], (std::vector<std::u16string>{toolkit_path("a.txt")}));
  ASSERT_FALSE(source.feedback.empty());
  EXPECT_EQ(source.feedback.back(), static_cast<DWORD>(DROPEFFECT_MOVE));

  // Over the widget without a list the drag shows no effect and is not dropped.
  point_at(probe.right);
  dropping_source refused;
  DoDragDrop(&data, &refused, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  EXPECT_EQ(received.size(), 1u);
  ASSERT_FALSE(refused.feedback.empty());
  EXPECT_EQ(refused.feedback.back(), static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(drop_target_test, a_handle_destroyed_with_its_owner_is_revoked_first) {
  auto owner = std::make_unique<panel_window>("owner");
  panel_window popup("popup", owner.get());
  auto& popup_target = static_cast<ui::win32::win32_window_backend&>(popup.native().backend()).drop_target();
  ASSERT_TRUE(popup_target.registered());
  const LONG registered_references = popup_target.references();
  owner.reset();
  EXPECT_FALSE(popup_target.registered());
  // OLE gave back the reference its registration held.
  EXPECT_LT(popup_target.references(), registered_references);
}
