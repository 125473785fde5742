// Random field texts for the property tests: parameters across and beyond each distribution's
// accepted range, x across and beyond its support, q in and out of [0, 1], with a share of
// awkward texts ("", "-", "1e400", "abc", ...). Deterministic for a given seed.
#pragma once

#include "dist/calculate_results.hpp"
#include "dist/distribution_id.hpp"

#include <QString>

#include <cstdint>
#include <random>

namespace kelvora::properties {

struct RandomCase {
    DistributionId id = DistributionId::Beta;
    InputTexts inputs;
};

class RandomInputs {
public:
    explicit RandomInputs(std::uint64_t seed) : engine_(seed) {}

    // A case of a random distribution.
    RandomCase Next();
    // A case of the given distribution.
    RandomCase Next(DistributionId id);

    // A double in [0, 1), from the engine's raw bits: the same sequence on every platform.
    double Unit();

private:
    int Below(int n); // 0 .. n-1
    bool Chance(double p);
    double LogUniform(double lowExponent, double highExponent);

    QString Awkward();
    QString Positive();    // a scale, shape or rate; sometimes 0 or negative
    QString Location();    // any real, mostly moderate
    QString Count();       // trials, degrees of freedom, populations: up to beyond 16 bits
    QString Probability(); // a success probability; sometimes 0, 1 or outside
    QString Level();       // q: mostly in [0, 1], sometimes at or beyond its ends
    QString Point(DistributionId id, const QString& param1, const QString& param2);
    QString OrAwkward(QString text);

    std::mt19937_64 engine_;
};

// Number text with round-trip precision, the way a user could type it.
QString NumberText(double v);

} // namespace kelvora::properties
