// SPDX-License-Identifier: MIT
// An apply (Module2 over the prefix's registry, no wineserver) on a 10 MiB user.reg, against the
// least any safe rewrite costs: reading the file, writing a copy, flushing it and renaming it
// over the original. Both run in one folder on the same disk.
#include "Module2.h"
#include "UserRegFile.h"
#include "WineRegistry.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123";

// A user.reg of about `bytes` bytes with the account's key in the middle.
std::string makeUserReg(std::size_t bytes) {
    std::string text = "WINE REGISTRY Version 2\n"
                       ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
                       "#arch=win64\n";
    bool placed = false;
    for (int i = 0; text.size() < bytes; ++i) {
        text += "\n[Software\\\\Vendor" + std::to_string(i % 97) + "\\\\App\\\\Item" +
                std::to_string(i) + "] 1796628453\n#time=1dd861c6c96a080\n\"Name\"=\"Value " +
                std::to_string(i) +
                "\"\n\"Count\"=dword:00000007\n"
                "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\n"
                "  14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\n";
        if (!placed && text.size() > bytes / 2) {
            text += "\n[Software\\\\Microsoft\\\\MSNMessenger\\\\PerPassportSettings\\\\123] 1\n"
                    "\"IM Color\"=dword:00000000\n";
            placed = true;
        }
    }
    return text;
}

class Fixture {
public:
    Fixture() {
        // The build folder by default: a real disk, where flushing costs what it costs users.
        const char* base = std::getenv("TINTARO_BENCH_DIR");
        std::string pattern = (fs::path(base ? base : ".") / "bench-registry-XXXXXX").string();
        m_dir = ::mkdtemp(pattern.data());
        fs::create_directory(prefix());
        const std::string text = makeUserReg(10u << 20);
        std::ofstream(prefix() / "user.reg", std::ios::binary) << text;
        std::ofstream(m_dir / "copy.reg", std::ios::binary) << text;
    }
    ~Fixture() { fs::remove_all(m_dir); }
    fs::path prefix() const { return m_dir / "prefix"; }
    fs::path copyFile() const { return m_dir / "copy.reg"; }

private:
    fs::path m_dir;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_Apply(benchmark::State& state) {
    tintaro::WineRegistry::Options options;
    options.prefix = fixture().prefix();
    tintaro::WineRegistry registry(options);
    std::int32_t colour = 0;
    for (auto _ : state) {
        // A new colour each time, so every apply really rewrites the file.
        tintaro::Module2::WriteRegDword(registry, tintaro::kHkeyCurrentUser, kKey, "IM Color",
                                        ++colour);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(10u << 20));
}
BENCHMARK(BM_Apply)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DurableCopy(benchmark::State& state) {
    const fs::path file = fixture().copyFile();
    const fs::path temp = file.string() + ".tmp";
    std::string buffer;
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        buffer = text.str();
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::fsync(fd);
        ::close(fd);
        ::rename(temp.c_str(), file.c_str());
        const int dir = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(dir);
        ::close(dir);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(buffer.size()));
}
BENCHMARK(BM_DurableCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// The edit alone, in memory: what the apply adds to the copy.
void BM_EditInMemory(benchmark::State& state) {
    const std::string text = makeUserReg(10u << 20);
    std::uint32_t colour = 0;
    for (auto _ : state) {
        auto edited = tintaro::UserRegFile::withDword(text, kKey, "IM Color", ++colour, 1);
        benchmark::DoNotOptimize(edited);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_EditInMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
