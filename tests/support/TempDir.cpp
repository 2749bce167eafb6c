// SPDX-License-Identifier: MIT
#include "TempDir.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace tintaro::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tintaro-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests take permissions away from files and folders; give them back so that everything can
    // be removed. A folder gets them back before the iterator descends into it. Links are
    // left alone: chmod would act on their targets, which may lie outside (a `z:` link to /).
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(
             m_path, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        if (!it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

} // namespace tintaro::test
