#include "evaluated_cases.hpp"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace kelvora::properties {

namespace {

constexpr std::uint64_t kSeed = 0x6b656c766f7261; // fixed: every run sees the same cases

constexpr std::array<const char*, kDistributionCount> kDistributionNames = {
    "Beta",     "Binomial",  "Cauchy",         "ChiSquare", "Exponential", "F",
    "Gamma",    "Geometric", "Hypergeometric", "Lognormal", "Normal",      "Poisson",
    "Rayleigh", "StudentT",  "Uniform",        "Weibull"};

std::vector<EvaluatedCase> Evaluate() {
    RandomInputs inputs(kSeed);
    const QLocale plain = QLocale::c();
    const QLocale grouped = GroupingLocale();
    std::vector<EvaluatedCase> cases;
    cases.reserve(kCaseCount);
    for (int i = 0; i < kCaseCount; ++i) {
        EvaluatedCase e;
        e.input = inputs.Next();
        e.plain = CalculateResults(e.input.id, e.input.inputs, plain);
        e.grouped = CalculateResults(e.input.id, e.input.inputs, grouped);
        cases.push_back(std::move(e));
    }
    return cases;
}

} // namespace

QLocale GroupingLocale() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

std::array<QString, kOutputCount> TextsOf(const ResultTexts& t) {
    return {t.density, t.cumulative, t.survival, t.hazard, t.quantile, t.mean, t.variance};
}

std::optional<double> ShownValue(const QString& text) {
    if (text == kNotAvailable) {
        return std::nullopt;
    }
    const QByteArray bytes = text.toLatin1();
    return std::strtod(bytes.constData(), nullptr);
}

const char* DistributionName(DistributionId id) {
    return kDistributionNames[static_cast<std::size_t>(id)];
}

std::string Describe(const RandomCase& c) {
    const InputTexts& in = c.inputs;
    const auto quoted = [](const QString& s) { return "\"" + s.toStdString() + "\""; };
    return std::string(DistributionName(c.id)) + " " + quoted(in.param1) + " " + quoted(in.param2) +
           " " + quoted(in.param3) + " x " + quoted(in.x) + " q " + quoted(in.q);
}

const std::vector<EvaluatedCase>& EvaluatedCases() {
    static const std::vector<EvaluatedCase> cases = Evaluate();
    return cases;
}

} // namespace kelvora::properties
