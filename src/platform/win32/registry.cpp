// The user's own registry (HKEY_CURRENT_USER) and the program's own path.
#include "platform/win32/win32_platform.h"

#include <cstring>

namespace vandrel::win32 {
namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8(const wchar_t* text, std::size_t length) {
    if (length == 0) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

class RegistryKey {
  public:
    RegistryKey(const std::string& key, bool create) {
        const std::wstring name = Wide(key);
        const LONG result =
            create ? RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                     nullptr, &key_, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ | KEY_WRITE, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// The value's type and bytes; none when it is missing or cannot be read.
std::optional<std::pair<DWORD, std::vector<BYTE>>> ReadValue(const std::string& key, const std::string& name) {
    RegistryKey opened(key, false);
    if (!opened.get()) return std::nullopt;
    const std::wstring valueName = Wide(name);
    // A value may change between the two calls: asked again while it grows.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<BYTE> bytes(size);
        const LONG result =
            RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type, bytes.data(), &size);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return std::nullopt;
        bytes.resize(size);
        return std::make_pair(type, std::move(bytes));
    }
    return std::nullopt;
}

bool WriteValue(const std::string& key, const std::string& name, DWORD type, const BYTE* bytes, DWORD size) {
    RegistryKey created(key, true);
    return created.get() &&
           RegSetValueExW(created.get(), Wide(name).c_str(), 0, type, bytes, size) == ERROR_SUCCESS;
}

}  // namespace

std::optional<std::string> Win32Platform::ReadRegistryText(const std::string& key, const std::string& name) {
    const auto value = ReadValue(key, name);
    if (!value || (value->first != REG_SZ && value->first != REG_EXPAND_SZ)) return std::nullopt;
    // Stored with or without its terminating null, and possibly an odd size.
    const auto& bytes = value->second;
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return Utf8(text.data(), text.size());
}

std::optional<std::vector<std::uint8_t>> Win32Platform::ReadRegistryBytes(const std::string& key,
                                                                          const std::string& name) {
    const auto value = ReadValue(key, name);
    if (!value || value->first != REG_BINARY) return std::nullopt;
    return std::vector<std::uint8_t>(value->second.begin(), value->second.end());
}

bool Win32Platform::WriteRegistryText(const std::string& key, const std::string& name, const std::string& text) {
    const std::wstring wide = Wide(text);
    return WriteValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                      static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

bool Win32Platform::WriteRegistryBytes(const std::string& key, const std::string& name,
                                       const std::vector<std::uint8_t>& bytes) {
    return WriteValue(key, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool Win32Platform::RemoveRegistryValue(const std::string& key, const std::string& name) {
    RegistryKey opened(key, false);
    if (!opened.get()) return true;  // no key, no value
    const LONG result = RegDeleteValueW(opened.get(), Wide(name).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::string Win32Platform::ProgramPath() {
    // Paths may be longer than MAX_PATH: the buffer grows until the path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return Utf8(path.data(), length);
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace vandrel::win32
