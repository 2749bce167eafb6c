// SPDX-License-Identifier: MIT
// Account discovery over 1,000 account folders against a plain walk that only stats the same
// files; Base64 decoding against GLib's decoder on the same input.

#include "AccountDiscovery.h"
#include "passport.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <glib.h>
#include <random>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace tintaro;

constexpr std::string_view kAppData = "C:\\users\\b\\AppData\\Roaming";
constexpr int kAccounts = 1000;

std::string base64(std::string_view bytes) {
    gchar* text = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string out(text);
    g_free(text);
    return out;
}

void writeFile(const fs::path& path, std::string_view content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
}

// The generated prefix, made once and removed at exit.
struct Profile {
    fs::path root;
    fs::path messenger;
    Profile() {
        std::string pattern = (fs::temp_directory_path() / "tintaro-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        fs::create_directories(root / "dosdevices");
        messenger = root / "drive_c/users/b/AppData/Roaming/Microsoft/MSN Messenger";
        fs::create_directories(messenger);
        fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
        for (int i = 0; i < kAccounts; ++i) {
            const std::string name = std::to_string(1000000 + i);
            std::string text = "<map account=\"user" + name + "@example.com\" picture=\"p.png\"/>";
            std::string utf16;
            for (const char c : text) {
                utf16 += c;
                utf16 += '\0';
            }
            // A mix of the three shapes the program reads.
            const fs::path dir = messenger / name;
            if (i % 3 == 0) {
                writeFile(dir / "Backgrounds/map.dat", base64(utf16) + "\n");
            } else if (i % 3 == 1) {
                writeFile(dir / "UserTile/map.dat", base64(utf16));
            } else {
                writeFile(dir / "Backgrounds/map.dat", "");
                writeFile(dir / "UserTile/map.dat", base64(utf16));
            }
        }
    }
    ~Profile() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

Profile& profile() {
    static Profile p;
    return p;
}

void BM_DiscoverAccounts(benchmark::State& state) {
    const FileSystem files(profile().root);
    for (auto _ : state) {
        auto accounts = account::discoverAccounts(files, kAppData);
        if (accounts.size() != kAccounts)
            state.SkipWithError("wrong account count");
        benchmark::DoNotOptimize(accounts);
    }
}
BENCHMARK(BM_DiscoverAccounts)->Unit(benchmark::kMillisecond);

// The floor: list the folder and stat the two files of each entry, nothing else.
void BM_PlainStatWalk(benchmark::State& state) {
    const std::string base = profile().messenger.string() + "/";
    for (auto _ : state) {
        long found = 0;
        DIR* dir = ::opendir(base.c_str());
        while (const dirent* entry = ::readdir(dir)) {
            struct stat info {};
            const std::string name = entry->d_name;
            found += ::stat((base + name + "/Backgrounds/map.dat").c_str(), &info) == 0;
            found += ::stat((base + name + "/UserTile/map.dat").c_str(), &info) == 0;
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_PlainStatWalk)->Unit(benchmark::kMillisecond);

// Base64 text of exactly `textSize` characters (a multiple of 4) of random bytes.
std::string randomBase64(std::size_t textSize) {
    std::mt19937 random(7);
    std::string bytes(textSize / 4 * 3, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return base64(bytes);
}

void BM_Base64Decode(benchmark::State& state) {
    const std::string text = randomBase64(static_cast<std::size_t>(state.range(0)));
    const std::vector<std::uint8_t> input(text.begin(), text.end());
    for (auto _ : state) {
        const auto output = passport::Base64Decode(input);
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Base64Decode)->Arg(4 << 10)->Arg(1 << 20);

void BM_GlibBase64Decode(benchmark::State& state) {
    const std::string text = randomBase64(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        gsize length = 0;
        guchar* bytes = g_base64_decode(text.c_str(), &length);
        benchmark::DoNotOptimize(bytes);
        g_free(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_GlibBase64Decode)->Arg(4 << 10)->Arg(1 << 20);

} // namespace

BENCHMARK_MAIN();
