// SPDX-License-Identifier: MIT
#include "FileSystem.h"

#include "WideText.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <windows.h>

namespace tintaro {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// Whether `path` names a place on its own: a drive letter, a colon and a separator, or a
// "\\server\share" path.
bool isFullyQualified(std::string_view path) {
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        isSeparator(path[2]))
        return true;
    return path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) &&
           !isSeparator(path[2]);
}

} // namespace

SystemHandle::~SystemHandle() {
    if (m_native != kNone)
        CloseHandle(m_native);
}

std::optional<BinaryFile> BinaryFile::adopt(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        CloseHandle(handle);
        return std::nullopt;
    }
    return BinaryFile(handle, static_cast<std::int64_t>(size.QuadPart));
}

std::vector<std::uint8_t> BinaryFile::readAt(std::uint64_t offset, std::size_t count) const {
    std::vector<std::uint8_t> data(count);
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(m_handle.get(), data.data() + done, chunk, &got, &at) || got == 0)
            break;
        done += got;
    }
    data.resize(done);
    return data;
}

std::string OpenFolder::below(std::string_view relativePath) const {
    std::string path = m_path;
    for (const std::string_view part : pathComponents(relativePath))
        path.append(part).append(1, '\\');
    if (path.size() > m_path.size()) // no backslash after the last component
        path.pop_back();
    return path;
}

std::optional<OpenFolder> OpenFolder::folder(std::string_view relativePath) const {
    return FileSystem().openFolder(below(relativePath));
}

std::optional<BinaryFile> OpenFolder::openBinary(std::string_view relativePath) const {
    return FileSystem().openBinary(below(relativePath));
}

std::vector<std::string> FileSystem::findFiles(std::string_view pattern) const {
    std::vector<std::string> names;
    if (!isFullyQualified(pattern))
        return names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(widen(pattern).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(narrow(entry.cFileName));
    while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

std::optional<BinaryFile> FileSystem::openBinary(std::string_view winPath) const {
    if (!isFullyQualified(winPath))
        return std::nullopt;
    // Others may keep writing or even delete the file while it is read, as Messenger does.
    return BinaryFile::adopt(CreateFileW(widen(winPath).c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<OpenFolder> FileSystem::openFolder(std::string_view winPath) const {
    if (!isFullyQualified(winPath))
        return std::nullopt;
    std::string path(winPath);
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    if (!isSeparator(path.back()))
        path += '\\';
    return OpenFolder(std::move(path));
}

} // namespace tintaro
