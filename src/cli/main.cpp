// kelvora-calc: the window's calculation and graph on the command line. Needs no display.
#include "catalogue/catalogue.hpp"
#include "cli/arguments.hpp"
#include "cli/batch.hpp"
#include "cli/distribution_names.hpp"
#include "cli/plot_commands.hpp"
#include "cli/tool_commands.hpp"
#include "cli/usage.hpp"
#include "results/calculate_results.hpp"
#include "results/readout.hpp"

#include <QGuiApplication>
#include <QString>
#include <QTextStream>

#include <array>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace kelvora;

constexpr int kExitBadArguments = 2;

int PrintResults(const CalcArguments& args, const DistributionCatalogue& catalogue,
                 const QLocale& locale) {
    const InputTexts inputs = ResultInputTexts(args, catalogue);
    const ResultTexts r = args.precise ? PreciseTexts(CalculatePrecise(args.id, inputs))
                                       : CalculateResults(args.id, inputs, locale).texts;
    // The labels the window shows beside the seven fields.
    const std::array<std::pair<QString, const QString*>, 7> lines = {{
        {QStringLiteral("f"), &r.density},
        {QStringLiteral("F"), &r.cumulative},
        {QStringLiteral("S"), &r.survival},
        {QStringLiteral("H"), &r.hazard},
        {QStringLiteral("x"), &r.quantile},
        {QStringLiteral("均值"), &r.mean},
        {QStringLiteral("方差"), &r.variance},
    }};
    std::string text;
    for (const auto& [label, value] : lines) {
        text += label.toStdString() + '\t' + value->toStdString() + '\n';
    }
    std::cout << text << std::flush;
    return std::cout ? 0 : 1;
}

// Writes a tool's text; the table may instead fail with a message and status 1.
int RunToolCommand(const CalcArguments& args, const DistributionCatalogue& catalogue,
                   const QLocale& locale) {
    std::string text;
    int status = 0;
    if (args.mode == CalcMode::Table) {
        std::string error;
        status = TableText(args, catalogue, locale, text, error);
        if (status != 0) {
            std::cerr << "kelvora-calc: " << error << '\n';
            return status;
        }
    } else {
        text = args.mode == CalcMode::Interval ? IntervalText(args, catalogue, locale)
                                               : CentralText(args, catalogue, locale);
    }
    std::cout << text << std::flush;
    return std::cout ? 0 : 1;
}

int RunGraphCommand(const CalcArguments& args, const DistributionCatalogue& catalogue,
                    char* programName) {
    // The texts must outlive the views ParameterTexts holds.
    const std::array<std::string, kParameterSlotCount> fields =
        GivenParameterTexts(args, catalogue);
    const ParameterTexts texts{fields[0], fields[1], fields[2]};
    if (args.mode == CalcMode::Samples) {
        QTextStream out(stdout);
        const int status = RunSamplesCommand(args.id, texts, out);
        out.flush();
        return status;
    }
    // Drawing text needs a GUI application; the offscreen platform needs no display.
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    std::array<char*, 4> guiArgv = {programName, platformOption, offscreen, nullptr};
    int guiArgc = 3;
    const QGuiApplication app(guiArgc, guiArgv.data());
    QString error;
    const int status = RunPlotCommand(args.id, texts, args.kind,
                                      QString::fromStdString(args.plotFile), args.scale, &error);
    if (status != 0) {
        std::cerr << "kelvora-calc: "
                  << (error.isEmpty() ? std::string("the graph could not be made")
                                      : error.toStdString())
                  << '\n';
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> argList(argv + 1, argv + argc);
    const DistributionCatalogue catalogue;
    const DistributionNames names(catalogue);
    const ParsedArguments parsed = ParseArguments(argList, names);
    if (!parsed.arguments) {
        std::cerr << "kelvora-calc: " << parsed.error << '\n' << kUsageHint;
        return kExitBadArguments;
    }
    const CalcArguments& args = *parsed.arguments;
    const QLocale locale = args.locale.value_or(QLocale::system());

    switch (args.mode) {
    case CalcMode::Help:
        std::cout << UsageText() << std::flush;
        return std::cout ? 0 : 1;
    case CalcMode::Results:
        return PrintResults(args, catalogue, locale);
    case CalcMode::Batch:
        std::ios::sync_with_stdio(false);
        return RunBatch(std::cin, std::cout, names, locale, args.precise);
    case CalcMode::Table:
    case CalcMode::Interval:
    case CalcMode::Central:
        return RunToolCommand(args, catalogue, locale);
    case CalcMode::Samples:
    case CalcMode::Plot:
        return RunGraphCommand(args, catalogue, argv[0]);
    }
    return kExitBadArguments;
}
