// SPDX-License-Identifier: MIT
#include "Win32Registry.h"

#include "RegErrors.h"
#include "WideText.h"

#include <windows.h>

namespace tintaro {

namespace {

// The predefined roots keep their values; HKEY_CURRENT_USER is the only one the program uses.
HKEY predefined(RegKey root) {
    return root == kHkeyCurrentUser ? HKEY_CURRENT_USER : nullptr;
}

} // namespace

Win32Registry::~Win32Registry() {
    for (const auto& [key, handle] : m_open)
        RegCloseKey(static_cast<HKEY>(handle));
}

long Win32Registry::createKey(RegKey root, std::string_view path, RegKey& key) {
    key = 0;
    HKEY parent = predefined(root);
    if (!parent)
        return RegErrors::kInvalidHandle;
    HKEY opened = nullptr;
    const LSTATUS status =
        RegCreateKeyExW(parent, widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE | KEY_READ, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    const std::lock_guard lock(m_mutex);
    // 0 is never a key, and the predefined values are never handed out.
    while (m_next == 0 || m_open.contains(m_next) || m_next >= 0x80000000u)
        m_next = m_next >= 0x80000000u ? 1 : m_next + 1;
    key = m_next++;
    m_open.emplace(key, opened);
    return kErrorSuccess;
}

long Win32Registry::setValue(RegKey key, std::string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) {
    const std::lock_guard lock(m_mutex);
    const auto it = m_open.find(key);
    if (it == m_open.end())
        return RegErrors::kInvalidHandle;
    return RegSetValueExW(static_cast<HKEY>(it->second), widen(name).c_str(), 0, type, data.data(),
                          static_cast<DWORD>(data.size()));
}

long Win32Registry::closeKey(RegKey key) {
    const std::lock_guard lock(m_mutex);
    const auto it = m_open.find(key);
    if (it == m_open.end())
        return RegErrors::kInvalidHandle;
    const LSTATUS status = RegCloseKey(static_cast<HKEY>(it->second));
    m_open.erase(it);
    return status;
}

long Win32Registry::getDword(RegKey root, std::string_view path, std::string_view name,
                             std::uint32_t& value) {
    HKEY parent = predefined(root);
    if (!parent)
        return RegErrors::kInvalidHandle;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LSTATUS status = RegGetValueW(parent, widen(path).c_str(), widen(name).c_str(),
                                        RRF_RT_REG_DWORD, nullptr, &data, &size);
    if (status == ERROR_SUCCESS)
        value = data;
    return status;
}

Registry& systemRegistry() {
    static Win32Registry registry;
    return registry;
}

} // namespace tintaro
