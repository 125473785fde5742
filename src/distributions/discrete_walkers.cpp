#include "distributions/discrete_walkers.hpp"

#include "distributions/discrete.hpp"
#include "distributions/discrete_tails.hpp"

#include <algorithm>
#include <cmath>

namespace kelvora {

// ---- Binomial -------------------------------------------------------------------------------

double RunningBinomialCdf::At(double k) {
    if (k < 0.0) {
        return 0.0;
    }
    if (k >= n_) {
        return 1.0;
    }
    if (p_ == 0.0) {
        return 1.0;
    }
    if (p_ == 1.0) {
        return 0.0;
    }
    const auto last = static_cast<int>(k);
    if (last + 1 < next_) {
        next_ = 0;
        sum_ = 0.0;
        lastTerm_ = kLeftOut;
    }
    while (next_ <= last) {
        lastTerm_ = terms_.Mass(static_cast<Int16>(next_));
        sum_ = sum_ + lastTerm_;
        ++next_;
    }
    return AsSample(sum_);
}

double RunningBinomialCdf::TermAt(double k) const {
    return k >= 0.0 && k + 1.0 == next_ ? lastTerm_ : kLeftOut;
}

double RunningBinomialCdf::MassAt(double k) {
    // BinomialPmf's boundary cases.
    if (n_ < 0 || k < 0.0 || k > n_) {
        return 0.0;
    }
    return GuardedSample([&] { return terms_.Mass(static_cast<Int16>(k)); });
}

// ---- Poisson --------------------------------------------------------------------------------

// A rate that is no positive number is turned away before PoissonStart, which would throw.
RunningPoissonCdf::RunningPoissonCdf(double lambda)
    : lambda_(lambda), faulted_(!(lambda > 0.0) || !std::isfinite(lambda)) {
    if (!faulted_) {
        try {
            start_ = PoissonStart(lambda);
        } catch (const ArithmeticFault&) {
            faulted_ = true;
        }
    }
    Restart();
}

void RunningPoissonCdf::Restart() {
    sum_.emplace(start_, lambda_);
}

double RunningPoissonCdf::At(double k) {
    if (k < 0.0) {
        return 0.0;
    }
    if (faulted_) {
        return kLeftOut;
    }
    // A large rate sums nothing: the lower-tail sum while the count allows it, else Temme's
    // expansion.
    if (!start_.summed) {
        return GuardedSample([&] {
            return k <= kLargestLowerTailCount ? PoissonLowerTail(static_cast<Int16>(k), lambda_)
                                               : PoissonTail(Tail::Lower, k, lambda_);
        });
    }
    if (k < start_.s) {
        return GuardedSample(
            [&] { return PoissonLowerTail(static_cast<Int16>(k), lambda_) / start_.total; });
    }
    if (k < sum_->Top()) {
        Restart();
    }
    sum_->AdvanceTo(k);
    return AsSample(sum_->Sum() / start_.total);
}

// ---- Hypergeometric -------------------------------------------------------------------------

namespace {

// The fewest marked items a draw can hold (HypergeometricCdf's starting point).
Int16 LowestSupportPoint(Int16 n, Int16 K, Int16 M) {
    return std::max(Int16{0}, Sub16(n, Sub16(M, K)));
}

} // namespace

RunningHypergeometric::RunningHypergeometric(Int16 n, Int16 K, Int16 M,
                                             const LogFactorialTable& table)
    : n_(n), K_(K), M_(M), table_(table) {}

void RunningHypergeometric::RequestLogFactorials(double point, Int16 n, Int16 K, Int16 M,
                                                 LogFactorialTable& table) {
    // A difference that faults here faults in the routine too, before any log-factorial.
    try {
        const Int16 unmarked = Sub16(M, K);
        for (const Int16 v : {K, unmarked, M, n, Sub16(M, n), Sub16(unmarked, n)}) {
            table.Request(v);
        }
        const Int16 low = LowestSupportPoint(n, K, M);
        table.Request(low);
        table.Request(Sub16(K, low));
        if (point >= 0.0 && point <= n && point <= K) {
            const auto k = static_cast<Int16>(point);
            table.Request(k);
            table.Request(Sub16(K, k));
            table.Request(Sub16(n, k));
            table.Request(Sub16(unmarked, Sub16(n, k)));
        }
    } catch (const ArithmeticFault&) {
    }
}

double RunningHypergeometric::LogLowestMass() const {
    if (low_ == 0) {
        return table_.LogBinomialCoefficient(Sub16(M_, K_), n_) -
               table_.LogBinomialCoefficient(M_, n_);
    }
    return table_.LogBinomialCoefficient(K_, low_) - table_.LogBinomialCoefficient(M_, n_);
}

void RunningHypergeometric::Restart() {
    started_ = true;
    faulted_ = false;
    lowFaulted_ = false;
    masses_.reset();
    try {
        low_ = LowestSupportPoint(n_, K_, M_);
    } catch (const ArithmeticFault&) {
        lowFaulted_ = true;
        return;
    }
    try {
        masses_.emplace(n_, K_, M_, LogLowestMass());
        result_ = masses_->Mass();
        i_ = low_;
    } catch (const ArithmeticFault&) {
        faulted_ = true;
        i_ = low_ - 1; // not even the first term
    }
}

double RunningHypergeometric::CdfAt(double k) {
    if (k < 0.0) {
        return 0.0;
    }
    if (!started_) {
        Restart();
    }
    if (lowFaulted_) {
        return kLeftOut;
    }
    if (k < low_) {
        return 0.0;
    }
    // Past the top of the support every mass is 0: the routine stops summing there.
    const Int16 top = std::min(n_, K_);
    const Int16 last = k >= top ? top : static_cast<Int16>(k);
    if (last < i_) {
        Restart();
    }
    while (i_ < last && !faulted_) {
        masses_->Next(i_);
        result_ = result_ + masses_->Mass();
        ++i_;
    }
    if (i_ < last) {
        return kLeftOut; // the first term faults, and so would HypergeometricCdf(k)
    }
    return AsSample(result_);
}

double RunningHypergeometric::PmfAt(double point) const {
    // HypergeometricPmf's boundary cases, in its order.
    if (point < 0.0 || point > n_ || point > K_ || point > M_) {
        return 0.0;
    }
    const auto k = static_cast<Int16>(point);
    return GuardedSample([&] {
        if (k < LowestSupportPoint(n_, K_, M_)) {
            return 0.0;
        }
        if (n_ == 0) {
            return k == 0 ? 1.0 : 0.0;
        }
        return Finite(std::exp(table_.LogBinomialCoefficient(K_, k) +
                               table_.LogBinomialCoefficient(Sub16(M_, K_), Sub16(n_, k)) -
                               table_.LogBinomialCoefficient(M_, n_)),
                      "HypergeometricPmf");
    });
}

} // namespace kelvora
