// kelvora-calc's command line, parsed into what to run. Parsing needs no display and does no
// I/O, so every rule below is unit-tested.
//
//   kelvora-calc DIST [P1 [P2 [P3]]] [--x X] [--q Q] [--locale NAME] [--precise]
//   kelvora-calc --batch [--locale NAME] [--precise]
//   kelvora-calc --table START END STEP [--locale NAME] [--precise] -- DIST [P1 [P2 [P3]]]
//   kelvora-calc DIST [P1 [P2 [P3]]] --interval A B [--locale NAME] [--precise]
//   kelvora-calc DIST [P1 [P2 [P3]]] --central P [--locale NAME] [--precise]
//   kelvora-calc --samples -- DIST [P1 [P2 [P3]]]
//   kelvora-calc [--tab pdf|cdf|surv|haz] --plot FILE [--scale N] -- DIST [P1 [P2 [P3]]]
//   kelvora-calc --help
//
// Options may stand before, between or after the positional arguments, as "--opt VALUE" or
// "--opt=VALUE"; "--" ends them. An argument with a single leading dash ("-3") is positional,
// so negative numbers need no "--" (it is still accepted); "-h" is the one short option.
#pragma once

#include "cli/distribution_names.hpp"
#include "results/calculate_results.hpp"
#include "sampling/function_kind.hpp"

#include <QLocale>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kelvora {

enum class CalcMode {
    Results,  // one case, the seven labelled results
    Batch,    // cases from standard input
    Samples,  // the graph's sampled curves
    Plot,     // the graph rendered to a file
    Table,    // the values table
    Interval, // the three probabilities of an interval
    Central,  // the central interval of a probability
    Help,
};

inline constexpr int kMaxPlotScale = 8;

struct CalcArguments {
    CalcMode mode = CalcMode::Results;
    DistributionId id = DistributionId::Beta;
    std::vector<std::string> parameters; // as given, at most three; UTF-8
    std::string x = "0";
    std::string q = "0.5";
    std::optional<QLocale> locale; // no value: the system's
    FunctionKind kind = FunctionKind::Pdf;
    std::string plotFile;
    int scale = 1;
    bool precise = false; // every result as its ten-digit readout
    // The numbers of --table START END STEP (a range that gives rows), --interval A B (A <= B)
    // and --central P (0 <= P <= 1).
    double tableStart = 0.0;
    double tableEnd = 0.0;
    double tableStep = 0.0;
    double intervalA = 0.0;
    double intervalB = 0.0;
    double centralP = 0.0;
};

struct ParsedArguments {
    std::optional<CalcArguments> arguments; // no value: `error` says what is wrong
    std::string error;
};

// `args` excludes the program name.
ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const DistributionNames& names);

// The locale a name stands for ("en_US", "de_DE", "de", "C"); no value for a name Qt does not
// know.
std::optional<QLocale> LocaleFromName(const std::string& name);

// The number of an option value, read as a field reads it but strictly: the entire text
// (spaces aside) must be one number, since a field reads "abc" as 0 and a mistyped value would
// pass unnoticed. No value for anything else, or for a number beyond the double range.
std::optional<double> ReadOptionNumber(const std::string& text);

// The three parameter field texts: those given, then the catalogue's defaults as choosing the
// distribution in the window fills them (a slot the entry leaves untouched is empty, as at
// start-up).
std::array<std::string, kParameterSlotCount>
GivenParameterTexts(const CalcArguments& arguments, const DistributionCatalogue& catalogue);

// The five input texts of the single-case calculation.
InputTexts ResultInputTexts(const CalcArguments& arguments, const DistributionCatalogue& catalogue);

} // namespace kelvora
