#pragma once
// Registry values that a test changes, put back as they were when the test
// ends: the prefix is shared with every other test.
#include <windows.h>
#include <string>
#include <vector>

class SavedValue {
 public:
  SavedValue(HKEY root, const std::string& key, const char* name) : root_(root), key_(key), name_(name ? name : "") {
    HKEY handle;
    // The first missing key of the path goes again, with whatever the test made below it.
    for (size_t end = 0; created_.empty() && end != std::string::npos;) {
      end = key_.find('\\', end + 1);
      std::string part = key_.substr(0, end);
      if (RegOpenKeyExA(root_, part.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) created_ = part;
      else RegCloseKey(handle);
    }
    keyExisted_ = created_.empty();
    if (!keyExisted_ || RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(handle, Name(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      data_.resize(size);
      existed_ = RegQueryValueExA(handle, Name(), nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(handle);
  }
  ~SavedValue() {
    if (!keyExisted_) {
      RegDeleteTreeA(root_, created_.c_str());
      return;
    }
    if (existed_) Set(root_, key_, name_.c_str(), type_, data_);
    else Delete();
  }
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;

  void SetText(const std::string& text) const {
    Set(root_, key_, name_.c_str(), REG_SZ, std::vector<BYTE>(text.begin(), text.end()));
  }
  void Delete() const {
    HKEY handle;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueA(handle, Name());
    RegCloseKey(handle);
  }
  // The value as text, or "<none>".
  std::string Text() const {
    HKEY handle;
    std::string text = "<none>";
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return text;
    char buffer[1024];
    DWORD size = sizeof(buffer) - 1;
    if (RegQueryValueExA(handle, Name(), nullptr, nullptr, (BYTE*)buffer, &size) == ERROR_SUCCESS) {
      buffer[size] = 0;
      text = buffer;
    }
    RegCloseKey(handle);
    return text;
  }

 private:
  const char* Name() const { return name_.empty() ? nullptr : name_.c_str(); }
  static void Set(HKEY root, const std::string& key, const char* name, DWORD type, std::vector<BYTE> data) {
    HKEY handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
      return;
    if (type == REG_SZ && (data.empty() || data.back())) data.push_back(0);
    RegSetValueExA(handle, *name ? name : nullptr, 0, type, data.data(), (DWORD)data.size());
    RegCloseKey(handle);
  }

  HKEY root_;
  std::string key_, name_, created_;
  bool keyExisted_ = false, existed_ = false;
  DWORD type_ = REG_SZ;
  std::vector<BYTE> data_;
};
