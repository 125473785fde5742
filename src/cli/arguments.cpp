#include "cli/arguments.hpp"

#include "distributions/field_number.hpp"
#include "results/readout.hpp"

#include <charconv>
#include <exception>
#include <string_view>
#include <system_error>

namespace kelvora {

namespace {

// What the loop over the arguments collected, before the rules between options are applied.
struct RawArguments {
    bool batch = false;
    bool samples = false;
    bool precise = false;
    std::vector<std::string> table;    // START END STEP
    std::vector<std::string> interval; // A B
    std::optional<std::string> central;
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
    if (name == "--central") {
        return &raw.central;
    }
    return nullptr;
}

// The options that take several values, from the arguments that follow (the first may be
// given as --opt=VALUE); a negative value needs no "--".
std::vector<std::string>* ListOption(RawArguments& raw, std::string_view name, std::size_t& count) {
    if (name == "--table") {
        count = 3;
        return &raw.table;
    }
    if (name == "--interval") {
        count = 2;
        return &raw.interval;
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
        if (name == "--batch" || name == "--samples" || name == "--precise") {
            if (equals != std::string::npos) {
                return std::string(name) + " takes no value";
            }
            (name == "--batch"     ? raw.batch
             : name == "--samples" ? raw.samples
                                   : raw.precise) = true;
            continue;
        }
        std::size_t count = 0;
        if (std::vector<std::string>* list = ListOption(raw, name, count)) {
            list->clear();
            if (equals != std::string::npos) {
                list->push_back(a.substr(equals + 1));
            }
            while (list->size() < count && i + 1 < args.size()) {
                list->push_back(args[++i]);
            }
            if (list->size() < count) {
                return std::string(name) + (count == 3 ? " needs three values: START END STEP"
                                                       : " needs two values: A B");
            }
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
    const bool table = !raw.table.empty();
    const bool interval = !raw.interval.empty();
    const bool central = raw.central.has_value();
    if (int(raw.batch) + int(raw.samples) + int(plot) + int(table) + int(interval) + int(central) >
        1) {
        error = "--batch, --samples, --plot, --table, --interval and --central cannot be combined";
        return std::nullopt;
    }
    if (raw.batch) {
        return CalcMode::Batch;
    }
    if (raw.samples) {
        return CalcMode::Samples;
    }
    if (table) {
        return CalcMode::Table;
    }
    if (interval) {
        return CalcMode::Interval;
    }
    if (central) {
        return CalcMode::Central;
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
    if (raw.precise && graph) {
        return "--precise applies only to results, not to --samples or --plot";
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

// The numbers of --table, --interval and --central, checked; the first problem found.
std::optional<std::string> ReadToolValues(const RawArguments& raw, CalcArguments& out) {
    std::vector<double> numbers;
    for (const std::vector<std::string>* list : {&raw.table, &raw.interval}) {
        for (const std::string& text : *list) {
            const std::optional<double> v = ReadOptionNumber(text);
            if (!v) {
                return "not a number: \"" + text + "\" (" +
                       (list == &raw.table ? "--table" : "--interval") + " takes numbers)";
            }
            numbers.push_back(*v);
        }
    }
    if (!raw.table.empty()) {
        out.tableStart = numbers[0];
        out.tableEnd = numbers[1];
        out.tableStep = numbers[2];
        switch (CheckTableRange({out.tableStart, out.tableEnd, out.tableStep})) {
        case TableRefusal::StepNotPositive:
            return std::string("--table: the step must be a positive number");
        case TableRefusal::EndBelowStart:
            return std::string("--table: the end lies below the start");
        case TableRefusal::TooManyRows:
            return "--table: the range gives more than " + std::to_string(kMaxTableRows) + " rows";
        default:
            break;
        }
    }
    if (!raw.interval.empty()) {
        out.intervalA = numbers[0];
        out.intervalB = numbers[1];
        if (!(out.intervalA <= out.intervalB)) {
            return std::string("--interval: A must not exceed B");
        }
    }
    if (raw.central) {
        const std::optional<double> p = ReadOptionNumber(*raw.central);
        if (!p || !(*p >= 0.0 && *p <= 1.0)) {
            return "--central takes a probability from 0 to 1, not \"" + *raw.central + "\"";
        }
        out.centralP = *p;
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

std::optional<double> ReadOptionNumber(const std::string& text) {
    // Spaces are dropped as a field drops them; then sign, digits with at most one full stop
    // (at least one digit), and an optional exponent (E or D, a sign, digits) must be all.
    std::string number;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            number += c;
        }
    }
    std::size_t i = 0;
    const auto digitsFrom = [&](std::size_t& at) {
        const std::size_t start = at;
        while (at < number.size() && number[at] >= '0' && number[at] <= '9') {
            ++at;
        }
        return at - start;
    };
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
        ++i;
    }
    std::size_t digits = digitsFrom(i);
    if (i < number.size() && number[i] == '.') {
        ++i;
        digits += digitsFrom(i);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < number.size() &&
        (number[i] == 'e' || number[i] == 'E' || number[i] == 'd' || number[i] == 'D')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            ++i;
        }
        if (digitsFrom(i) == 0) {
            return std::nullopt;
        }
    }
    if (i != number.size()) {
        return std::nullopt;
    }
    try {
        return ParseFieldNumber(number);
    } catch (const std::exception&) {
        return std::nullopt; // beyond the double range
    }
}

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
    out.precise = raw.precise;
    if (std::optional<std::string> bad = ReadToolValues(raw, out)) {
        return Failure(std::move(*bad));
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
GivenParameterTexts(const CalcArguments& arguments, const DistributionCatalogue& catalogue) {
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
        GivenParameterTexts(arguments, catalogue);
    return {QString::fromStdString(params[0]), QString::fromStdString(params[1]),
            QString::fromStdString(params[2]), QString::fromStdString(arguments.x),
            QString::fromStdString(arguments.q)};
}

} // namespace kelvora
