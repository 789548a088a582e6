// The multibyte engine's multiplication and division beside Python's integers
// on the same operands. The engine is timed through its public byte-string
// interface; Python runs N operations in a loop in one process, and the same
// process with no operations (its start-up and parsing) is taken off, giving
// a manual time per operation. Python's product and quotient are checked once
// against the engine's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "calc/Multibyte.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Fixed random operands whose first byte is not zero.
Bytes operand(std::size_t length, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    Bytes bytes(length);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    bytes[0] |= 0x80;
    return bytes;
}

std::string hexDigits(const std::uint8_t* bytes, std::int64_t length) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::int64_t i = 0; i < length; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
    const auto first = out.find_first_not_of('0');
    return first == std::string::npos ? "0" : out.substr(first);
}

Bytes product(const Bytes& a, const Bytes& b) {
    Bytes out(2 * std::max(a.size(), b.size()));
    const auto length = multibyte::multiply(a.data(), static_cast<std::int64_t>(a.size()), b.data(),
                                            static_cast<std::int64_t>(b.size()), out.data(),
                                            static_cast<std::int64_t>(out.size()));
    out.resize(length < 0 ? 0 : static_cast<std::size_t>(length));
    return out;
}

Bytes quotient(const Bytes& a, const Bytes& b) {
    Bytes q(a.size());
    Bytes r(b.size());
    multibyte::DivModLengths lengths;
    multibyte::divMod(a.data(), static_cast<std::int64_t>(a.size()), b.data(),
                      static_cast<std::int64_t>(b.size()), q.data(),
                      static_cast<std::int64_t>(q.size()), r.data(),
                      static_cast<std::int64_t>(r.size()), lengths);
    q.resize(lengths.quotient < 0 ? 0 : static_cast<std::size_t>(lengths.quotient));
    return q;
}

void BM_Multiply(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Bytes a = operand(n, 1);
    const Bytes b = operand(n, 2);
    Bytes out(2 * n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(multibyte::multiply(a.data(), static_cast<std::int64_t>(n),
                                                     b.data(), static_cast<std::int64_t>(n),
                                                     out.data(), 2 * static_cast<std::int64_t>(n)));
        benchmark::ClobberMemory();
    }
}

// A 2n-byte dividend by an n-byte divisor: an n-byte quotient.
void BM_DivMod(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Bytes a = operand(2 * n, 3);
    const Bytes b = operand(n, 4);
    Bytes q(2 * n);
    Bytes r(n);
    multibyte::DivModLengths lengths;
    for (auto _ : state) {
        benchmark::DoNotOptimize(multibyte::divMod(a.data(), static_cast<std::int64_t>(a.size()),
                                                   b.data(), static_cast<std::int64_t>(n), q.data(),
                                                   static_cast<std::int64_t>(q.size()), r.data(),
                                                   static_cast<std::int64_t>(n), lengths));
        benchmark::ClobberMemory();
    }
}

bool havePython() {
    return std::system("command -v python3 >/dev/null 2>&1") == 0;
}

// Runs the Python loop; returns its wall time in seconds and its output.
double runPython(const std::string& operation, const Bytes& a, const Bytes& b, long count,
                 std::string& output) {
    const std::string script =
        "import sys\n"
        "a = int(sys.argv[1], 16); b = int(sys.argv[2], 16); n = int(sys.argv[3])\n"
        "if sys.argv[4] == 'mul':\n"
        "    for _ in range(n): r = a * b\n"
        "    print(format(a * b, 'x'))\n"
        "else:\n"
        "    for _ in range(n): r = divmod(a, b)\n"
        "    print(format(a // b, 'x'))\n";
    const std::string command = "python3 -c \"" + script + "\" " +
                                hexDigits(a.data(), static_cast<std::int64_t>(a.size())) + " " +
                                hexDigits(b.data(), static_cast<std::int64_t>(b.size())) + " " +
                                std::to_string(count) + " " + operation;
    const auto start = std::chrono::steady_clock::now();
    std::FILE* pipe = popen(command.c_str(), "r");
    output.clear();
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = pclose(pipe);
    const auto end = std::chrono::steady_clock::now();
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return status == 0 ? std::chrono::duration<double>(end - start).count() : -1;
}

void runPythonBenchmark(benchmark::State& state, const std::string& operation, const Bytes& a,
                        const Bytes& b, const Bytes& expected) {
    if (!havePython()) {
        state.SkipWithError("python3 is not installed: no Python figures");
        return;
    }
    const long count = state.range(0) <= 64 ? 2000000 : 5000;
    std::string output;
    if (runPython(operation, a, b, 0, output) < 0 ||
        output != hexDigits(expected.data(), static_cast<std::int64_t>(expected.size()))) {
        state.SkipWithError("Python's result differs from the engine's");
        return;
    }
    for (auto _ : state) {
        const double loop = runPython(operation, a, b, count, output);
        const double startUp = runPython(operation, a, b, 0, output);
        state.SetIterationTime((loop - startUp) / static_cast<double>(count));
    }
}

void BM_PythonMultiply(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Bytes a = operand(n, 1);
    const Bytes b = operand(n, 2);
    runPythonBenchmark(state, "mul", a, b, product(a, b));
}

void BM_PythonDivMod(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Bytes a = operand(2 * n, 3);
    const Bytes b = operand(n, 4);
    runPythonBenchmark(state, "divmod", a, b, quotient(a, b));
}

}  // namespace

BENCHMARK(BM_Multiply)->Arg(64)->Arg(4096);
BENCHMARK(BM_Multiply)->Arg(1048576)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PythonMultiply)->Arg(64)->Arg(4096)->UseManualTime()->Iterations(3);
BENCHMARK(BM_DivMod)->Arg(64)->Arg(4096);
BENCHMARK(BM_PythonDivMod)->Arg(64)->Arg(4096)->UseManualTime()->Iterations(3);

BENCHMARK_MAIN();
