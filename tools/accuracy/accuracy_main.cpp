// kelvora-accuracy: compares the results Kelvora shows for a committed grid of inputs with the
// true values of a committed mpmath table and prints a summary per distribution and output.
//
//   kelvora-accuracy              the full grid
//   kelvora-accuracy --quick      every fourth parameter set of the grid
//   kelvora-accuracy --verbose    also the largest failures of each distribution and output
//                                 (--verbose=N: up to N of each, default 3)
//   kelvora-accuracy --dump       no comparison: one tab-separated line per case (the inputs
//                                 and the seven shown texts), to compare two builds
//   kelvora-accuracy --cases      no comparison: the cases the truth table must hold (input of
//                                 tools/oracle/generate_truth.py)
//
// Exit status 0 when every result keeps the accuracy contract, 1 when there are failures (a
// case missing from the table is one), 2 for a usage error or an unreadable table.
#include "runner.hpp"

#include <charconv>
#include <exception>
#include <iostream>
#include <string_view>

namespace {

constexpr std::size_t kDetailsPerGroup = 3;

int Usage() {
    std::cerr << "usage: kelvora-accuracy [--quick] [--verbose[=N] | --dump] | --cases\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace kelvora::accuracy;
    GridSize size = GridSize::Full;
    std::size_t details = 0;
    bool dump = false;
    bool cases = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--quick") {
            size = GridSize::Quick;
        } else if (argument == "--cases") {
            cases = true;
        } else if (argument == "--dump") {
            dump = true;
        } else if (argument == "--verbose") {
            details = kDetailsPerGroup;
        } else if (argument.starts_with("--verbose=")) {
            const std::string_view count = argument.substr(argument.find('=') + 1);
            const auto [end, error] =
                std::from_chars(count.data(), count.data() + count.size(), details);
            if (error != std::errc() || end != count.data() + count.size()) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    try {
        if (cases) {
            ListCases(std::cout);
            return 0;
        }
        if (dump) {
            DumpGrid(size, std::cout);
            return 0;
        }
        const Report report = RunGrid(size);
        report.PrintSummary(std::cout);
        if (details > 0) {
            report.PrintDetails(std::cout, details);
        }
        return report.Failures() == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "kelvora-accuracy: " << e.what() << "\n";
        return 2;
    }
}
