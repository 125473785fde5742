#include "cli/tool_commands.hpp"

#include "results/readout.hpp"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <utility>

namespace kelvora {

namespace {

// The parameter fields, those given then the catalogue's defaults.
ParameterFieldTexts Fields(const CalcArguments& args, const DistributionCatalogue& catalogue) {
    const std::array<std::string, kParameterSlotCount> texts = GivenParameterTexts(args, catalogue);
    return {QString::fromStdString(texts[0]), QString::fromStdString(texts[1]),
            QString::fromStdString(texts[2])};
}

std::string Utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A probability or an end as a field shows it, or as its readout.
QString Shown(const std::optional<double>& v, bool precise, const QLocale& locale) {
    if (precise) {
        return PreciseText(v);
    }
    return v ? FormatResult(*v, locale) : kNotAvailable;
}

// A discrete end is a whole count: plain digits, as the quantile field shows it.
QString ShownCount(const std::optional<double>& v, bool precise) {
    if (precise) {
        return PreciseText(v);
    }
    return v ? QString::number(*v, 'f', 0) : kNotAvailable;
}

std::string Lines(const std::vector<std::pair<QString, QString>>& lines) {
    std::string text;
    for (const auto& [label, value] : lines) {
        text += Utf8(label) + '\t' + Utf8(value) + '\n';
    }
    return text;
}

} // namespace

int TableText(const CalcArguments& args, const DistributionCatalogue& catalogue,
              const QLocale& locale, std::string& text, std::string& error) {
    const ValuesTable table = MakeValuesTable(
        args.id, Fields(args, catalogue), {args.tableStart, args.tableEnd, args.tableStep}, locale);
    if (table.refusal != TableRefusal::None) {
        // The range was checked with the arguments: only the parameters are left.
        error = "the parameters are invalid: no table";
        return 1;
    }
    const bool discrete = IsDiscrete(args.id);
    text = "x\tf\tF\tS\tH\n";
    for (const TableRow& row : table.rows) {
        const std::array<QString, 5> cells = {
            QString::number(row.x, 'g', 15),
            args.precise ? PreciseText(row.preciseDensity) : row.density,
            args.precise ? PreciseText(row.preciseCumulative) : row.cumulative,
            args.precise ? PreciseText(row.preciseSurvival) : row.survival,
            discrete       ? QString()
            : args.precise ? PreciseText(row.preciseHazard)
                           : row.hazard};
        for (std::size_t i = 0; i < cells.size(); ++i) {
            text += Utf8(cells[i]) + (i + 1 < cells.size() ? '\t' : '\n');
        }
    }
    return 0;
}

std::string IntervalText(const CalcArguments& args, const DistributionCatalogue& catalogue,
                         const QLocale& locale) {
    const IntervalProbabilities p =
        IntervalProbability(args.id, Fields(args, catalogue), args.intervalA, args.intervalB);
    const bool discrete = IsDiscrete(args.id);
    const QString a = discrete ? QStringLiteral("⌊a⌋") : QStringLiteral("a");
    const QString b = discrete ? QStringLiteral("⌊b⌋") : QStringLiteral("b");
    return Lines({
        {QStringLiteral("P(X ≤ %1)").arg(a), Shown(p.below, args.precise, locale)},
        {QStringLiteral("P(%1 < X ≤ %2)").arg(a, b), Shown(p.inside, args.precise, locale)},
        {QStringLiteral("P(X > %1)").arg(b), Shown(p.above, args.precise, locale)},
    });
}

std::string CentralText(const CalcArguments& args, const DistributionCatalogue& catalogue,
                        const QLocale& locale) {
    const CentralInterval c = CentralIntervalFor(args.id, Fields(args, catalogue), args.centralP);
    if (!IsDiscrete(args.id)) {
        return Lines({{QStringLiteral("x₁"), Shown(c.lower, args.precise, locale)},
                      {QStringLiteral("x₂"), Shown(c.upper, args.precise, locale)}});
    }
    return Lines({{QStringLiteral("x₁"), ShownCount(c.lower, args.precise)},
                  {QStringLiteral("x₂"), ShownCount(c.upper, args.precise)},
                  {QStringLiteral("P(x₁ ≤ X ≤ x₂)"), Shown(c.held, args.precise, locale)}});
}

} // namespace kelvora
