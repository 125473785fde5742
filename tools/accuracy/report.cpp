#include "report.hpp"

#include "truth.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvora::accuracy {

namespace {

constexpr int kCellWidth = 17;

int Count(const std::array<int, 5>& verdicts, Verdict v) {
    return verdicts[static_cast<std::size_t>(v)];
}

std::string Shown(Real v) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.10Lg", v);
    return std::isnan(v) ? std::string("N/A") : std::string(buffer.data());
}

// Right-aligned in `width` characters, or left-aligned in -width.
std::string Padded(const std::string& text, int width) {
    const std::size_t size = static_cast<std::size_t>(std::abs(width));
    const std::string fill(text.size() < size ? size - text.size() : 0, ' ');
    return width < 0 ? text + fill : fill + text;
}

} // namespace

Report::Report() : cells_(kDistributionCount) {}

void Report::Add(const GridCase& grid, const Comparison& c) {
    Cell& cell = cells_[static_cast<std::size_t>(grid.id)][static_cast<std::size_t>(c.output)];
    ++cell.compared;
    ++cell.verdicts[static_cast<std::size_t>(c.verdict)];
    if (c.verdict == Verdict::Convention) {
        ++conventions_[static_cast<std::size_t>(c.convention)];
    } else if (c.verdict != Verdict::Agrees) {
        failures_.push_back({grid, c});
    }
}

int Report::Failures() const {
    return static_cast<int>(failures_.size());
}

void Report::PrintSummary(std::ostream& out) const {
    std::array<int, 5> totals{};
    int compared = 0;
    out << "Shown results (QLocale::c()) against the mpmath truth table " << TruthTablePath()
        << ".\nRight: |shown - v| <= 0.5e-4 + 1e-5 |v| (continuous quantiles too, in x); a "
           "discrete quantile\nexactly; \"N/A\" only where v is no finite double.\n"
        << "Each cell: comparisons, failures a/b (a: wrong value, b: N/A with a true value),\n"
        << "?c without a true value in the table, +k kept conventions.\n\n"
        << Padded("", -15);
    for (const Output o : kOutputs) {
        out << ' ' << Padded(OutputName(o), kCellWidth - 1);
    }
    out << '\n';
    for (std::size_t d = 0; d < cells_.size(); ++d) {
        out << Padded(DistributionKey(static_cast<DistributionId>(d)), -15);
        for (const Cell& cell : cells_[d]) {
            const auto count = [&](Verdict v) { return Count(cell.verdicts, v); };
            std::string text = std::to_string(cell.compared) + " " +
                               std::to_string(count(Verdict::WrongValue)) + "/" +
                               std::to_string(count(Verdict::FalseNotAvailable));
            if (count(Verdict::NoTruth) > 0) {
                text += " ?" + std::to_string(count(Verdict::NoTruth));
            }
            if (count(Verdict::Convention) > 0) {
                text += " +" + std::to_string(count(Verdict::Convention));
            }
            out << ' ' << Padded(text, kCellWidth - 1);
            compared += cell.compared;
            for (std::size_t v = 0; v < totals.size(); ++v) {
                totals[v] += cell.verdicts[v];
            }
        }
        out << '\n';
    }
    out << "\nComparisons: " << compared << "; failures: " << Failures() << " (a "
        << Count(totals, Verdict::WrongValue) << ", b " << Count(totals, Verdict::FalseNotAvailable)
        << ", c " << Count(totals, Verdict::NoTruth) << ")\nKept conventions:";
    for (std::size_t i = 0; i < conventions_.size(); ++i) {
        out << (i == 0 ? " " : "; ") << Conventions()[i].name << " " << conventions_[i];
    }
    out << '\n';
    if (Count(totals, Verdict::NoTruth) > 0) {
        out << "\nNo truth for " << Count(totals, Verdict::NoTruth)
            << " cases: regenerate the table (from the source tree):\n    " << kRegenerate << '\n';
    }
}

void Report::PrintDetails(std::ostream& out, std::size_t perGroup) const {
    std::vector<const Finding*> sorted;
    for (const Finding& f : failures_) {
        sorted.push_back(&f);
    }
    const auto group = [](const Finding* f) {
        return std::make_pair(static_cast<int>(f->grid.id), static_cast<int>(f->comparison.output));
    };
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Finding* a, const Finding* b) {
        return group(a) != group(b) ? group(a) < group(b)
                                    : a->comparison.error > b->comparison.error;
    });
    out << "\nLargest failures (per distribution and output; error in units of the allowance):\n";
    std::size_t inGroup = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        inGroup = i > 0 && group(sorted[i]) == group(sorted[i - 1]) ? inGroup + 1 : 0;
        if (inGroup >= perGroup) {
            continue;
        }
        const Finding& f = *sorted[i];
        const Comparison& c = f.comparison;
        out << "  " << DistributionKey(f.grid.id);
        for (const std::string& text : f.grid.texts) {
            out << (text.empty() ? "" : " ") << text;
        }
        out << " --x " << f.grid.x << " --q " << f.grid.q << " | " << OutputName(c.output)
            << " shown " << Shown(c.shown) << " true "
            << (c.verdict == Verdict::NoTruth ? "missing" : Shown(c.truth)) << " error "
            << Shown(c.error) << "\n";
    }
}

} // namespace kelvora::accuracy
