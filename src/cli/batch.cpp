#include "cli/batch.hpp"

#include "results/calculate_results.hpp"
#include "results/readout.hpp"

#include <QByteArray>

#include <array>
#include <cstddef>

namespace kelvora {

namespace {

// Output is handed to the stream in blocks of about this size.
constexpr std::size_t kFlushThreshold = 1 << 16;

// Splits at every tab; false when the count is not exactly N.
template <std::size_t N>
bool SplitFields(std::string_view line, std::array<std::string_view, N>& fields,
                 std::size_t& count) {
    count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view field = line.substr(start, tab - start);
        if (count < N) {
            fields[count] = field;
        }
        ++count;
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    return count == N;
}

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void AppendText(const QString& text, std::string& out) {
    const QByteArray bytes = text.toUtf8();
    out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

bool AppendBatchResult(std::string_view line, const DistributionNames& names, const QLocale& locale,
                       std::string& out, bool precise) {
    std::array<std::string_view, kBatchInputFields> fields;
    std::size_t count = 0;
    if (!SplitFields(line, fields, count)) {
        out += "error: expected " + std::to_string(kBatchInputFields) +
               " tab-separated fields, found " + std::to_string(count);
        return false;
    }
    const std::optional<DistributionId> id = names.resolve(fields[0]);
    if (!id) {
        out += "error: unknown distribution \"";
        out += fields[0];
        out += '"';
        return false;
    }

    const InputTexts inputs{Text(fields[1]), Text(fields[2]), Text(fields[3]), Text(fields[4]),
                            Text(fields[5])};
    const ResultTexts r = precise ? PreciseTexts(CalculatePrecise(*id, inputs))
                                  : CalculateResults(*id, inputs, locale).texts;
    for (const QString* text :
         {&r.density, &r.cumulative, &r.survival, &r.hazard, &r.quantile, &r.mean, &r.variance}) {
        if (text != &r.density) {
            out += '\t';
        }
        AppendText(*text, out);
    }
    return true;
}

int RunBatch(std::istream& in, std::ostream& out, const DistributionNames& names,
             const QLocale& locale, bool precise) {
    bool malformed = false;
    std::string line;
    std::string pending;
    pending.reserve(kFlushThreshold + 1024);
    while (std::getline(in, line)) {
        std::string_view view(line);
        if (!view.empty() && view.back() == '\r') {
            view.remove_suffix(1); // a line written with Windows line ends
        }
        malformed |= !AppendBatchResult(view, names, locale, pending, precise);
        pending += '\n';
        if (pending.size() >= kFlushThreshold) {
            out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
            pending.clear();
        }
    }
    out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    out.flush();
    return (malformed || !out) ? 1 : 0;
}

} // namespace kelvora
