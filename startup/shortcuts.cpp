#include "startup/shortcuts.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "text/path_text.h"

namespace ondrix {
namespace {

std::wstring WithoutTrailingBackslash(std::wstring_view path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  return std::wstring(path);
}

// Releases a COM interface when it goes.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (ptr_ != nullptr) ptr_->Release();
  }
  T* operator->() const { return ptr_; }
  T** Out() { return &ptr_; }
  void** OutVoid() { return reinterpret_cast<void**>(&ptr_); }

 private:
  T* ptr_ = nullptr;
};

constexpr int kShowNormal = 5;

}  // namespace

ComApartment::ComApartment() {
  initialised_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComApartment::~ComApartment() {
  if (initialised_) ::CoUninitialize();
}

std::wstring ShortcutPathIn(std::wstring_view folder, std::wstring_view program_path) {
  return WithoutTrailingBackslash(folder) + L"\\" + FileNameOf(std::wstring(program_path)) + L".lnk";
}

ShortcutResult PlaceShortcut(std::wstring_view folder, std::wstring_view program_path) {
  ShortcutResult result;
  result.link_path = ShortcutPathIn(folder, program_path);
  const std::wstring target(program_path);
  const std::wstring working_folder = WithoutTrailingBackslash(FolderOf(target));

  ComPtr<IShellLinkW> link;
  const HRESULT created =
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.OutVoid());
  if (FAILED(created)) throw std::runtime_error("The shell link object could not be created");

  HRESULT hr = link->SetPath(target.c_str());
  if (SUCCEEDED(hr)) hr = link->SetArguments(L"");
  if (SUCCEEDED(hr)) hr = link->SetWorkingDirectory(working_folder.c_str());
  if (SUCCEEDED(hr)) hr = link->SetShowCmd(kShowNormal);
  if (SUCCEEDED(hr)) hr = link->SetIconLocation(target.c_str(), 0);
  ComPtr<IPersistFile> file;
  if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, file.OutVoid());
  // Saving replaces a link of that name.
  if (SUCCEEDED(hr)) hr = file->Save(result.link_path.c_str(), FALSE);
  result.ok = SUCCEEDED(hr);
  result.error = result.ok ? S_OK : hr;
  return result;
}

}  // namespace ondrix
