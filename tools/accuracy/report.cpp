#include "report.hpp"

#include "exceptions.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace kelvora::accuracy {

namespace {

constexpr std::array<const char*, kDistributionCount> kNames = {
    "Beta",     "Binomial",  "Cauchy",    "ChiSquare", "Exponential", "F",
    "Gamma",    "Geometric", "Hypergeom", "Lognormal", "Normal",      "Poisson",
    "Rayleigh", "StudentT",  "Uniform",   "Weibull"};

std::string Format(const char* format, double v) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, v);
    return buffer.data();
}

std::string Size(Real v) {
    if (std::isinf(v)) {
        return "no value";
    }
    return Format("%.2g", static_cast<double>(v));
}

// Right-aligned in `width` characters, or left-aligned in -width.
std::string Padded(const std::string& text, int width) {
    const std::size_t size = static_cast<std::size_t>(std::abs(width));
    if (text.size() >= size) {
        return text;
    }
    const std::string fill(size - text.size(), ' ');
    return width < 0 ? text + fill : fill + text;
}

constexpr int kCellWidth = 17;

std::string Shown(Real v) {
    return std::isnan(v) ? std::string("N/A") : Format("%.10g", static_cast<double>(v));
}

} // namespace

Report::Report() : cells_(kDistributionCount), causes_(Causes().size()) {
    for (CauseSize& c : causes_) {
        c.distributions.assign(kDistributionCount, false);
    }
}

void Report::Add(const ParameterSet& set, const std::string& x, const std::string& q,
                 const Comparison& c, std::optional<std::size_t> cause) {
    const auto d = static_cast<std::size_t>(set.id);
    const auto o = static_cast<std::size_t>(c.output);
    Cell& cell = cells_[d][o];
    ++cell.compared;
    if (c.verdict == Verdict::Agrees) {
        return;
    }
    findings_.push_back({set, x, q, c, cause});
    if (cause) {
        ++(Causes()[*cause].kind == CauseKind::Known ? cell.known : cell.documented);
        CauseSize& size = causes_[*cause];
        ++size.count;
        if (c.verdict == Verdict::FalseNotAvailable) {
            ++size.notAvailable;
        } else if (std::isinf(c.error)) {
            ++size.withoutTruth;
        } else {
            size.largestError = std::max(size.largestError, c.error);
            if (c.truth != 0) {
                size.largestRelative = std::max(size.largestRelative, c.error / std::abs(c.truth));
            }
        }
        if (!std::isnan(c.levelError)) {
            size.largestLevelError = std::max(size.largestLevelError, c.levelError);
        }
        size.outputs[o] = true;
        size.distributions[d] = true;
        return;
    }
    if (c.verdict == Verdict::WrongValue) {
        ++cell.wrongValue;
    } else {
        ++cell.falseNotAvailable;
    }
}

int Report::Failures() const {
    int failures = 0;
    for (const auto& row : cells_) {
        for (const Cell& cell : row) {
            failures += cell.wrongValue + cell.falseNotAvailable;
        }
    }
    return failures;
}

void Report::PrintSummary(std::ostream& out) const {
    int compared = 0;
    int wrong = 0;
    int missing = 0;
    int documented = 0;
    int known = 0;
    out << "Shown results (QLocale::c()) against Boost.Math in long double.\n"
        << "Each cell: comparisons, failures a/b (a: wrong value, b: N/A with a true value),\n"
        << "+d documented exceptions, !k known failures.\n\n";
    out << Padded("", -12);
    for (const Output o : kOutputs) {
        out << ' ' << Padded(OutputName(o), kCellWidth - 1);
    }
    out << '\n';
    for (std::size_t d = 0; d < cells_.size(); ++d) {
        out << Padded(kNames[d], -12);
        for (const Cell& cell : cells_[d]) {
            std::string text = std::to_string(cell.compared) + " " +
                               std::to_string(cell.wrongValue) + "/" +
                               std::to_string(cell.falseNotAvailable);
            if (cell.documented > 0) {
                text += " +" + std::to_string(cell.documented);
            }
            if (cell.known > 0) {
                text += " !" + std::to_string(cell.known);
            }
            out << ' ' << Padded(text, kCellWidth - 1);
            compared += cell.compared;
            wrong += cell.wrongValue;
            missing += cell.falseNotAvailable;
            documented += cell.documented;
            known += cell.known;
        }
        out << '\n';
    }
    out << "\nComparisons: " << compared << "; failures: " << wrong + missing << " (a " << wrong
        << ", b " << missing << "); documented exceptions: " << documented
        << "; known failures: " << known << "\n";
    PrintCauses(out, CauseKind::Documented, "Documented exceptions");
    PrintCauses(out, CauseKind::Known, "Known failures");
}

void Report::PrintCauses(std::ostream& out, CauseKind kind, const char* title) const {
    const std::vector<Cause>& causes = Causes();
    bool first = true;
    for (std::size_t i = 0; i < causes.size(); ++i) {
        const CauseSize& size = causes_[i];
        if (causes[i].kind != kind || size.count == 0) {
            continue;
        }
        if (first) {
            out << "\n" << title << " (cases; largest error in the output's units):\n";
            first = false;
        }
        std::string where;
        for (std::size_t d = 0; d < size.distributions.size(); ++d) {
            if (size.distributions[d]) {
                where += std::string(where.empty() ? "" : ", ") + kNames[d];
            }
        }
        std::string outputs;
        for (const Output o : kOutputs) {
            if (size.outputs[static_cast<std::size_t>(o)]) {
                outputs += std::string(outputs.empty() ? "" : ", ") + OutputName(o);
            }
        }
        out << "  " << causes[i].name << ": " << size.count;
        if (size.notAvailable > 0) {
            out << "; N/A " << size.notAvailable;
        }
        if (size.withoutTruth > 0) {
            out << "; shown without a true value " << size.withoutTruth;
        }
        if (size.count > size.notAvailable + size.withoutTruth) {
            out << "; largest error " << Size(size.largestError);
            if (size.largestRelative > 0) {
                out << " (relative " << Size(size.largestRelative) << ")";
            }
            if (size.largestLevelError > 0) {
                out << " (in q: " << Size(size.largestLevelError) << ")";
            }
        }
        out << "\n    " << where << " | " << outputs << "\n    " << causes[i].reason << "\n";
    }
}

void Report::PrintDetails(std::ostream& out, std::size_t perGroup) const {
    std::vector<const Finding*> sorted;
    for (const Finding& f : findings_) {
        sorted.push_back(&f);
    }
    const auto group = [](const Finding* f) {
        return std::make_tuple(static_cast<int>(f->set.id), static_cast<int>(f->comparison.output),
                               f->cause ? static_cast<long>(*f->cause) : -1L);
    };
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Finding* a, const Finding* b) {
        if (group(a) != group(b)) {
            return group(a) < group(b);
        }
        return a->comparison.error > b->comparison.error;
    });
    out << "\nLargest differences (per distribution, output and cause):\n";
    std::map<std::tuple<int, int, long>, std::size_t> shown;
    for (const Finding* f : sorted) {
        if (shown[group(f)]++ >= perGroup) {
            continue;
        }
        const Comparison& c = f->comparison;
        const char* kind = f->cause
                               ? Causes()[*f->cause].name
                               : (c.verdict == Verdict::WrongValue ? "FAILURE a" : "FAILURE b");
        out << "  " << kNames[static_cast<std::size_t>(f->set.id)] << " (" << f->set.texts[0];
        for (std::size_t i = 1; i < f->set.texts.size(); ++i) {
            if (!f->set.texts[i].empty()) {
                out << ", " << f->set.texts[i];
            }
        }
        out << ") x " << f->x << " q " << f->q << " | " << OutputName(c.output) << " shown "
            << Shown(c.shown) << " true " << Shown(c.truth) << " error " << Size(c.error);
        if (!std::isnan(c.levelError)) {
            out << " level " << Size(c.levelError);
        }
        out << " | " << kind << "\n";
    }
}

} // namespace kelvora::accuracy
