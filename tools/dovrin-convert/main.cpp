// dovrin-convert: the part-list conversion of Dovrin as a command-line tool.
// Reads a PRO100 parts report as bytes and writes the Cutting 3 lines to
// standard output, streaming, so memory stays flat whatever the input's size.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "conversion/part_list.h"

namespace {

// Input is read in chunks small enough that a chunk and the output made of it
// stay in the processor's cache between the read and the write.
constexpr std::size_t kChunkSize = 64 * 1024;

constexpr char kHelp[] =
    "Usage: dovrin-convert [--material TEXT] [--rotate] [INPUT]\n"
    "Converts a PRO100 parts report (one part a line, fields separated by TAB)\n"
    "into Cutting 3 part lines on standard output, each ended by CR LF.\n"
    "Reads INPUT, or standard input when no INPUT is given.\n"
    "\n"
    "  --material TEXT  material number for column 1 of every line (default 1)\n"
    "  --rotate         parts may be rotated: column 5 is 1 instead of 0\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n";

struct Options {
    std::string material = "1";
    bool rotate = false;
    const char* input = nullptr;  // standard input when null
};

enum class Parse { kRun, kExit, kBadUsage };

Parse ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::fputs(kHelp, stdout);
            return Parse::kExit;
        }
        if (arg == "--version") {
            std::fputs("dovrin-convert " DOVRIN_VERSION "\n", stdout);
            return Parse::kExit;
        }
        if (arg == "--rotate") {
            options.rotate = true;
        } else if (arg == "--material") {
            if (++i == argc) {
                std::fputs("dovrin-convert: --material needs a value (see --help)\n", stderr);
                return Parse::kBadUsage;
            }
            options.material = argv[i];
        } else if (arg.starts_with('-')) {
            std::fprintf(stderr, "dovrin-convert: unknown option %s (see --help)\n", argv[i]);
            return Parse::kBadUsage;
        } else if (options.input != nullptr) {
            std::fputs("dovrin-convert: only one INPUT may be given (see --help)\n", stderr);
            return Parse::kBadUsage;
        } else {
            options.input = argv[i];
        }
    }
    return Parse::kRun;
}

int Convert(const Options& options) {
    const char* name = options.input != nullptr ? options.input : "standard input";
    auto cannot_read = [name](int error) {
        std::fprintf(stderr, "dovrin-convert: cannot read %s: %s\n", name, std::strerror(error));
        return 1;
    };

    std::FILE* input = options.input != nullptr ? std::fopen(options.input, "rb") : stdin;
    if (input == nullptr) return cannot_read(errno);

    // The converter hands its output over in large blocks, so standard output
    // needs no buffer of its own: each block is one write.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int write_error = 0;
    PartListConverter converter(options.material, RotationFlag(options.rotate),
                                [&write_error](std::string_view lines) {
                                    if (write_error == 0 &&
                                        std::fwrite(lines.data(), 1, lines.size(), stdout) != lines.size()) {
                                        write_error = errno;
                                    }
                                });
    std::vector<char> chunk(kChunkSize);
    int read_error = 0;
    for (;;) {
        const std::size_t size = std::fread(chunk.data(), 1, chunk.size(), input);
        if (std::ferror(input)) {
            read_error = errno;
            break;
        }
        converter.Feed(std::string_view(chunk.data(), size));
        if (size < chunk.size() || write_error != 0) break;
    }
    if (input != stdin) std::fclose(input);
    // Output is written only for input that was read, so an input that cannot
    // be read at all writes nothing.
    if (read_error != 0) return cannot_read(read_error);

    converter.Finish();
    if (write_error != 0) {
        std::fprintf(stderr, "dovrin-convert: cannot write the output: %s\n", std::strerror(write_error));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Bytes in, bytes out: no CR LF translation on the standard streams.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    Options options;
    switch (ParseArguments(argc, argv, options)) {
        case Parse::kExit:
            return std::fflush(stdout) == 0 ? 0 : 1;
        case Parse::kBadUsage:
            return 2;
        case Parse::kRun:
            break;
    }
    try {
        return Convert(options);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "dovrin-convert: out of memory\n");
        return 1;
    }
}
