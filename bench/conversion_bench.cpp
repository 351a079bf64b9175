// Whole-text conversion of a generated 100,000-line PRO100 report, beside a
// memcpy of the same bytes as the floor. `conversion_bench --write-report FILE`
// writes the report instead, for timing dovrin-convert on the same text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "conversion/part_list.h"

namespace {

// Windows-1251 texts of the report.
constexpr std::string_view kNames[] = {
    "\xc1\xee\xea\xee\xe2\xe8\xed\xe0 \xeb\xe5\xe2\xe0\xff",                  // Боковина левая
    "\xc1\xee\xea\xee\xe2\xe8\xed\xe0 \xef\xf0\xe0\xe2\xe0\xff",              // Боковина правая
    "\xc4\xed\xee",                                                           // Дно
    "\xca\xf0\xfb\xf8\xe0",                                                   // Крыша
    "\xcf\xee\xeb\xea\xe0 \xf1\xfa\xb8\xec\xed\xe0\xff",                      // Полка съёмная
    "\xd4\xe0\xf1\xe0\xe4 \xf0\xe0\xf1\xef\xe0\xf8\xed\xee\xe9",              // Фасад распашной
    "\xc7\xe0\xe4\xed\xff\xff \xf1\xf2\xe5\xed\xea\xe0",                      // Задняя стенка
    "\xd6\xee\xea\xee\xeb\xfc",                                               // Цоколь
    "\xcf\xeb\xe0\xed\xea\xe0 \xf1\xe2\xff\xe7\xe8",                          // Планка связи
    "\xc4\xed\xee \xff\xf9\xe8\xea\xe0",                                      // Дно ящика
};
constexpr std::string_view kMaterials[] = {
    "\xcb\xc4\xd1\xcf Egger W1000 ST9 \xe1\xe5\xeb\xfb\xe9 \xef\xf0\xe5\xec\xe8\xf3\xec",  // ЛДСП ... белый премиум
    "\xcb\xc4\xd1\xcf Egger H1145 ST10 \xe4\xf3\xe1 \xe1\xe0\xf0\xe4\xee\xeb\xe8\xed\xee",  // ЛДСП ... дуб Бардолино
    "\xd5\xc4\xd4 3 \xec\xec \xe1\xe5\xeb\xfb\xe9",                                        // ХДФ 3 мм белый
    "\xcc\xc4\xd4 \xfd\xec\xe0\xeb\xfc RAL 9003",                                          // МДФ эмаль RAL 9003
};
constexpr std::string_view kCabinet = "\xca\xf3\xf5\xed\xff, \xf8\xea\xe0\xf4 ";  // Кухня, шкаф
constexpr std::string_view kNumber = " \xb9";                // №
constexpr std::string_view kEdgings[] = {
    "\xcf\xc2\xd5 0,4 \xec\xec",  // ПВХ 0,4 мм
    "\xcf\xc2\xd5 2 \xec\xec",    // ПВХ 2 мм
};

// Part lines of twelve fields, about 100 bytes each, with CR LF: name, length,
// edges banded along the length, width, edges banded along the width,
// thickness, quantity, material, area, banding along the length and along the
// width, cabinet.
std::string MakeReport() {
    std::mt19937 generator(2024);
    auto number = [&generator](unsigned low, unsigned high) {
        return std::to_string(low + generator() % (high - low + 1));
    };
    std::string report;
    report.reserve(11'000'000);
    for (int line = 1; line <= 100'000; ++line) {
        const std::string length = number(100, 2400);
        const std::string width = number(60, 900);
        report.append(kNames[generator() % std::size(kNames)]).append(kNumber).append(number(1, 60));
        report.append("\t").append(length).append("\t").append(number(0, 2));
        report.append("\t").append(width).append("\t").append(number(0, 2));
        report.append("\t").append(generator() % 5 == 0 ? "18" : "16").append("\t").append(number(1, 6));
        report.append("\t").append(kMaterials[generator() % std::size(kMaterials)]);
        report.append("\t0,").append(number(10, 99));
        report.append("\t").append(kEdgings[generator() % 2]).append("\t").append(kEdgings[generator() % 2]);
        report.append("\t").append(kCabinet).append(number(1, 40)).append("\r\n");
    }
    return report;
}

const std::string& Report() {
    static const std::string report = MakeReport();
    return report;
}

void ConvertWholeReport(benchmark::State& state) {
    const std::string& report = Report();
    std::string output;
    output.reserve(report.size() * 2);
    for (auto _ : state) {
        output.clear();
        ConvertPartList(report, "1", "0", [&output](std::string_view lines) { output += lines; });
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * report.size()));
}
BENCHMARK(ConvertWholeReport)->Unit(benchmark::kMillisecond);

void MemcpyWholeReport(benchmark::State& state) {
    const std::string& report = Report();
    std::string copy(report.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), report.data(), report.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * report.size()));
}
BENCHMARK(MemcpyWholeReport)->Unit(benchmark::kMillisecond);

bool WriteReport(const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const std::string& report = Report();
    const bool written = std::fwrite(report.data(), 1, report.size(), file) == report.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-report") == 0) {
        if (WriteReport(argv[2])) return 0;
        std::perror(argv[2]);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
