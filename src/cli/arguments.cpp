#include "cli/arguments.hpp"

#include "render/graph_file.hpp"

#include <charconv>
#include <string_view>
#include <system_error>

namespace kelvora {

namespace {

// What the loop over the arguments collected, before the rules between options are applied.
struct RawArguments {
    bool batch = false;
    bool samples = false;
    std::optional<std::string> x;
    std::optional<std::string> q;
    std::optional<std::string> locale;
    std::optional<std::string> tab;
    std::optional<std::string> plot;
    std::optional<std::string> scale;
    std::vector<std::string> positional;
};

ParsedArguments Failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--") {
            return false;
        }
        if (a == "-h" || a == "--help") {
            return true;
        }
    }
    return false;
}

std::optional<std::string>* ValuedOption(RawArguments& raw, std::string_view name) {
    if (name == "--x") {
        return &raw.x;
    }
    if (name == "--q") {
        return &raw.q;
    }
    if (name == "--locale") {
        return &raw.locale;
    }
    if (name == "--tab") {
        return &raw.tab;
    }
    if (name == "--plot") {
        return &raw.plot;
    }
    if (name == "--scale") {
        return &raw.scale;
    }
    return nullptr;
}

// Splits the arguments into options and positional texts; the first problem found is returned.
std::optional<std::string> Collect(const std::vector<std::string>& args, RawArguments& raw) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 3 || a.compare(0, 2, "--") != 0) {
            if (!optionsEnded && a == "--") {
                optionsEnded = true;
                continue;
            }
            raw.positional.push_back(a);
            continue;
        }
        const std::size_t equals = a.find('=');
        const std::string_view name = std::string_view(a).substr(0, equals);
        if (name == "--batch" || name == "--samples") {
            if (equals != std::string::npos) {
                return std::string(name) + " takes no value";
            }
            (name == "--batch" ? raw.batch : raw.samples) = true;
            continue;
        }
        std::optional<std::string>* slot = ValuedOption(raw, name);
        if (slot == nullptr) {
            return "unknown option: " + std::string(name);
        }
        if (equals != std::string::npos) {
            *slot = a.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            *slot = args[++i];
        } else {
            return std::string(name) + " needs a value";
        }
    }
    return std::nullopt;
}

std::optional<CalcMode> ChooseMode(const RawArguments& raw, std::string& error) {
    const bool plot = raw.plot.has_value();
    if (int(raw.batch) + int(raw.samples) + int(plot) > 1) {
        error = "--batch, --samples and --plot cannot be combined";
        return std::nullopt;
    }
    if (raw.batch) {
        return CalcMode::Batch;
    }
    if (raw.samples) {
        return CalcMode::Samples;
    }
    return plot ? CalcMode::Plot : CalcMode::Results;
}

// Options that belong to another command are refused rather than silently ignored.
std::optional<std::string> CheckApplicable(const RawArguments& raw, CalcMode mode) {
    const bool results = mode == CalcMode::Results;
    const bool graph = mode == CalcMode::Samples || mode == CalcMode::Plot;
    if ((raw.x || raw.q) && !results) {
        return "--x and --q apply only to a single calculation";
    }
    if (raw.locale && graph) {
        return "--locale applies only to results, not to --samples or --plot";
    }
    if ((raw.tab || raw.scale) && mode != CalcMode::Plot) {
        return "--tab and --scale apply only to --plot";
    }
    if (mode == CalcMode::Batch && !raw.positional.empty()) {
        return "--batch reads its cases from standard input and takes no DIST";
    }
    return std::nullopt;
}

std::optional<FunctionKind> KindFromName(std::string_view name) {
    if (name == "pdf") {
        return FunctionKind::Pdf;
    }
    if (name == "cdf") {
        return FunctionKind::Cdf;
    }
    if (name == "surv") {
        return FunctionKind::Survival;
    }
    if (name == "haz") {
        return FunctionKind::Hazard;
    }
    return std::nullopt;
}

std::optional<int> ReadScale(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 1 || value > kMaxPlotScale) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<QLocale> LocaleFromName(const std::string& name) {
    const QLocale locale(QString::fromStdString(name));
    // QLocale falls back to C for names it does not know.
    if (locale.language() == QLocale::C && name != "C" && name != "POSIX") {
        return std::nullopt;
    }
    return locale;
}

ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const DistributionNames& names) {
    CalcArguments out;
    if (WantsHelp(args)) {
        out.mode = CalcMode::Help;
        return {out, {}};
    }

    RawArguments raw;
    if (std::optional<std::string> error = Collect(args, raw)) {
        return Failure(std::move(*error));
    }
    std::string error;
    const std::optional<CalcMode> mode = ChooseMode(raw, error);
    if (!mode) {
        return Failure(std::move(error));
    }
    out.mode = *mode;
    if (std::optional<std::string> misplaced = CheckApplicable(raw, out.mode)) {
        return Failure(std::move(*misplaced));
    }

    if (out.mode != CalcMode::Batch) {
        if (raw.positional.empty()) {
            return Failure("missing DIST: give a distribution (0..15, a key such as normal, or "
                           "its selector text)");
        }
        if (raw.positional.size() > 1 + kParameterSlotCount) {
            return Failure("too many parameters: a distribution takes at most three");
        }
        const std::string& dist = raw.positional.front();
        const std::optional<DistributionId> id = names.resolve(dist);
        if (!id) {
            return Failure("unknown distribution: \"" + dist +
                           "\" (use 0..15, a key such as normal, or the selector text)");
        }
        out.id = *id;
        out.parameters.assign(raw.positional.begin() + 1, raw.positional.end());
    }

    if (raw.x) {
        out.x = *raw.x;
    }
    if (raw.q) {
        out.q = *raw.q;
    }
    if (raw.locale) {
        out.locale = LocaleFromName(*raw.locale);
        if (!out.locale) {
            return Failure("unknown locale: \"" + *raw.locale + "\" (for example en_US, de_DE, C)");
        }
    }
    if (raw.tab) {
        const std::optional<FunctionKind> kind = KindFromName(*raw.tab);
        if (!kind) {
            return Failure("--tab takes pdf, cdf, surv or haz, not \"" + *raw.tab + "\"");
        }
        out.kind = *kind;
    }
    if (raw.plot) {
        if (raw.plot->empty()) {
            return Failure("--plot needs a file name");
        }
        if (!GraphFileFormatOf(QString::fromStdString(*raw.plot))) {
            return Failure("--plot FILE must end in .bmp, .png, .svg or .pdf, not \"" + *raw.plot +
                           "\"");
        }
        out.plotFile = *raw.plot;
    }
    if (raw.scale) {
        const std::optional<int> scale = ReadScale(*raw.scale);
        if (!scale) {
            return Failure("--scale takes a whole number from 1 to " +
                           std::to_string(kMaxPlotScale) + ", not \"" + *raw.scale + "\"");
        }
        out.scale = *scale;
    }
    return {out, {}};
}

std::array<std::string, kParameterSlotCount>
ParameterFieldTexts(const CalcArguments& arguments, const DistributionCatalogue& catalogue) {
    std::array<std::string, kParameterSlotCount> texts;
    const CatalogueEntry& entry = catalogue.entry(arguments.id);
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        if (slot < arguments.parameters.size()) {
            texts[slot] = arguments.parameters[slot];
        } else if (const std::optional<QString>& text = entry.parameters[slot].defaultText) {
            texts[slot] = text->toStdString();
        }
    }
    return texts;
}

InputTexts ResultInputTexts(const CalcArguments& arguments,
                            const DistributionCatalogue& catalogue) {
    const std::array<std::string, kParameterSlotCount> params =
        ParameterFieldTexts(arguments, catalogue);
    return {QString::fromStdString(params[0]), QString::fromStdString(params[1]),
            QString::fromStdString(params[2]), QString::fromStdString(arguments.x),
            QString::fromStdString(arguments.q)};
}

} // namespace kelvora
