// A stand-in game client for the demo: prints what the launcher handed it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/os.h"

int main(int argc, char** argv) {
    std::printf("demo client started\n");
    std::printf("  command line:  %s\n", platform::OwnCommandLine());
    std::printf("  current dir:   %s\n", platform::GetCurrentDir().c_str());
    for (int i = 0; i < argc; ++i) {
        std::printf("  argument %d:    %s\n", i, argv[i]);
    }
    if (argc < 3) {
        return 1;
    }
    std::ifstream record(argv[2], std::ios::binary);
    unsigned char header[4] = {0, 0, 0, 0};
    record.read(reinterpret_cast<char*>(header), sizeof header);
    const std::uint32_t kind =
        header[0] | header[1] << 8 | header[2] << 16 | static_cast<std::uint32_t>(header[3]) << 24;
    std::error_code error;
    const auto size = std::filesystem::file_size(argv[2], error);
    std::printf("  record kind:   %d\n", static_cast<std::int32_t>(kind));
    std::printf("  record size:   %llu bytes\n",
                error ? 0ULL : static_cast<unsigned long long>(size));
    return 0;
}
