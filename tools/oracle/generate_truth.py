#!/usr/bin/python3
"""True values for kelvora-accuracy, computed with mpmath.

Reads the case list that `kelvora-accuracy --cases` prints (one line per case: distribution key,
the three converted parameters, output, argument, quantile hint) and writes the truth table
tests/data/accuracy_truth.tsv: the six key columns, the true value to 20 significant digits
("nan" where no value exists, "inf" or "-inf" where it is infinite), and for a discrete
quantile the neighbouring counts that are also right because q ties a cumulative value to 1e-12
(relative to q).

Regenerate the table from the repository root, after building the tool:

    build/release/bin/kelvora-accuracy --cases | /usr/bin/python3 tools/oracle/generate_truth.py

(Debian's python3-mpmath; two processes; about 75 s on 2 cores for the 55 thousand cases. An
optional argument names another output file.) The table is rewritten only when every case has
a value; a case that fails is reported and the exit status is 1.

Methods, at 40 significant digits:
  - incomplete beta ratio (Beta, F, t, binomial): the continued fraction (Lentz) on the side
    where it converges, I_x(a, b) for x < (a + 1) / (a + b + 2) and I_{1-x}(b, a) beyond, with
    the factor x^a (1-x)^b / B(a, b) in logarithms; both tails are computed, never 1 - a tiny
    tail, so far tails keep their digits (mpmath's own betainc does not converge for shapes in
    the thousands);
  - incomplete gamma ratio (chi-square, gamma, Poisson): mpmath gammainc, regularized;
  - normal tails: erfc, and the asymptotic series beyond z = 1e8 where erfc overflows;
  - closed forms for the Cauchy, exponential, geometric, Rayleigh, uniform and Weibull;
  - discrete cumulatives: the beta and gamma ratios (binomial, Poisson), the closed form
    (geometric), exact sums of the masses (hypergeometric);
  - continuous quantiles without a closed form: a bracketed root search (Illinois, in the
    logarithm of the tail) on the lower tail for q <= 1/2 and on the upper tail otherwise,
    started from the hint; discrete quantiles: the smallest count k with F(k) >= q, by
    doubling and halving a bracket around the hint.
The density at the lower end of the support is its right-hand limit (and at the upper end its
left-hand limit); the hazard is f / S, "nan" where S = 0. The Geometric counts failures, like
the x and quantile fields, but its mean is the mean number of trials 1/p, as the mean field
shows it. Values smaller than 1e-9999 are written as 0 (their exponents would carry no digits).
"""

import multiprocessing
import os
import sys
import time

import mpmath as mp
from mpmath import mpf

DPS = 40
DIGITS = 20
TIE = mpf('1e-12')
EXACT = mpf(10) ** (5 - DPS)
FAR = 10 ** 6  # exp(-FAR) is far below the smallest value written (1e-9999)
MAX_ITERATIONS = 10 ** 6
PROCESSES = 2

INF = mp.inf
NAN = mp.nan


def log_beta(a, b):
    return mp.loggamma(a) + mp.loggamma(b) - mp.loggamma(a + b)


def beta_fraction(a, b, x):
    """The continued fraction of I_x(a, b) (modified Lentz)."""
    tiny = mpf(10) ** (-4 * DPS)
    eps = mpf(10) ** (2 - DPS)
    c = mpf(1)
    d = 1 - (a + b) * x / (a + 1)
    d = 1 / (d if abs(d) > tiny else tiny)
    h = d
    for m in range(1, MAX_ITERATIONS):
        for aa in (m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m)),
                   -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))):
            d = 1 + aa * d
            d = 1 / (d if abs(d) > tiny else tiny)
            c = 1 + aa / c
            c = c if abs(c) > tiny else tiny
            h *= d * c
        if abs(d * c - 1) < eps:
            return h
    raise ArithmeticError('beta fraction did not converge: a=%s b=%s x=%s' % (a, b, x))


def incomplete_beta(a, b, x, y, log_x, log_y):
    """(I_x(a, b), I_y(b, a)) with y = 1 - x, given with their logarithms."""
    if x <= 0:
        return mpf(0), mpf(1)
    if y <= 0:
        return mpf(1), mpf(0)
    if x * (a + b + 2) < a + 1:
        lower = mp.exp(a * log_x + b * log_y - log_beta(a, b)) * beta_fraction(a, b, x) / a
        return lower, 1 - lower
    upper = mp.exp(b * log_y + a * log_x - log_beta(a, b)) * beta_fraction(b, a, y) / b
    return 1 - upper, upper


def gamma_tails(s, x):
    """(P(s, x), Q(s, x)), the regularized incomplete gamma ratios."""
    if x <= 0:
        return mpf(0), mpf(1)
    if x < s:
        lower = mp.gammainc(s, 0, x, regularized=True)
        return lower, 1 - lower
    upper = mp.gammainc(s, x, INF, regularized=True)
    return 1 - upper, upper


def normal_upper(z):
    """The standard normal upper tail."""
    if z > 10 ** 8:
        # erfc overflows its series check here; two terms of the asymptotic series leave
        # 1e-48 relative.
        return mp.exp(-z * z / 2) / (z * mp.sqrt(2 * mp.pi)) * (1 - 1 / z ** 2 + 3 / z ** 4)
    if z < -10 ** 8:
        return 1 - normal_upper(-z)
    return mp.erfc(z / mp.sqrt(2)) / 2


def lower_end_limit(exponent, finite):
    """A density near x^exponent at the end of the support: its limit there."""
    if exponent < 0:
        return INF
    return finite if exponent == 0 else mpf(0)


class Continuous:
    """A continuous distribution: density, both tails, root-searched quantiles."""
    low = mpf(0)
    high = INF

    def tails(self, x):
        raise NotImplementedError

    def density(self, x):
        raise NotImplementedError

    def closed_quantile(self, q, upper):
        return None

    def hazard(self, x, f, upper):
        return f / upper if upper > 0 else NAN

    def quantile(self, q, hint):
        if q == 0:
            return self.low
        if q == 1:
            return self.high
        upper = q > mpf(1) / 2
        closed = self.closed_quantile(q, upper)
        if closed is not None:
            return closed
        target = mp.log(1 - q if upper else q)
        return root_search(lambda x: mp.log(self.tails(x)[1 if upper else 0]) - target,
                           upper, self.low, self.high, hint)


def root_search(g, decreasing, low, high, hint):
    """The x in (low, high) with g(x) = 0, g monotone: a bracket grown from the hint, then the
    Illinois variant of regula falsi in u = log x (positive supports), logit x (the unit
    interval) or x."""
    if low == 0 and high == 1:
        to_x = lambda u: 1 / (1 + mp.exp(-u))
        to_u = lambda x: mp.log(x) - mp.log1p(-x)
    elif low == 0:
        to_x, to_u = mp.exp, mp.log
    else:
        to_x = to_u = lambda v: v
    sign = -1 if decreasing else 1
    h = lambda u: sign * g(to_x(u))
    start = mpf(hint) if hint is not None else None
    u0 = to_u(start) if start is not None and low < start < high else mpf(0)
    step = mpf('1e-6') * (1 + abs(u0))
    a, b = u0 - step, u0 + step
    ha, hb = h(a), h(b)
    for _ in range(5000):
        if ha <= 0 <= hb:
            break
        if ha > 0:
            a, b, hb = a - step, a, ha
            ha = h(a)
        else:
            a, b, ha = b, b + step, hb
            hb = h(b)
        step *= 2
    else:
        raise ArithmeticError('no bracket for the quantile')
    side = 0
    for iteration in range(MAX_ITERATIONS):
        if hb - ha == 0 or b - a <= mpf(10) ** (5 - DPS) * (1 + abs(a) + abs(b)):
            break
        c = b - hb * (b - a) / (hb - ha)
        if not a < c < b or iteration % 8 == 7:  # every eighth step halves the bracket
            c = (a + b) / 2
        hc = h(c)
        if hc == 0:
            return to_x(c)
        if hc < 0:
            a, ha = c, hc
            if side == -1:
                hb /= 2
            side = -1
        else:
            b, hb = c, hc
            if side == 1:
                ha /= 2
            side = 1
    return to_x((a + b) / 2)


class Beta(Continuous):
    high = mpf(1)

    def __init__(self, a, b):
        self.a, self.b = a, b

    def tails(self, x):
        if x <= 0:
            return mpf(0), mpf(1)
        if x >= 1:
            return mpf(1), mpf(0)
        return incomplete_beta(self.a, self.b, x, 1 - x, mp.log(x), mp.log1p(-x))

    def density(self, x):
        a, b = self.a, self.b
        if x < 0 or x > 1:
            return mpf(0)
        if x == 0:
            return lower_end_limit(a - 1, b)
        if x == 1:
            return lower_end_limit(b - 1, a)
        return mp.exp((a - 1) * mp.log(x) + (b - 1) * mp.log1p(-x) - log_beta(a, b))

    def moments(self):
        a, b = self.a, self.b
        return a / (a + b), a * b / ((a + b) ** 2 * (a + b + 1))


class FisherF(Continuous):
    def __init__(self, m, n):
        self.m, self.n = m, n

    def tails(self, x):
        m, n = self.m, self.n
        if x <= 0:
            return mpf(0), mpf(1)
        mx = m * x
        log_sum = mp.log(mx + n)
        return incomplete_beta(m / 2, n / 2, mx / (mx + n), n / (mx + n), mp.log(mx) - log_sum,
                               mp.log(n) - log_sum)

    def density(self, x):
        m, n = self.m, self.n
        if x < 0:
            return mpf(0)
        if x == 0:
            return lower_end_limit(m - 2, mpf(1))
        return mp.exp(m / 2 * mp.log(m / n) + (m / 2 - 1) * mp.log(x) -
                      (m + n) / 2 * mp.log1p(m * x / n) - log_beta(m / 2, n / 2))

    def moments(self):
        m, n = self.m, self.n
        mean = n / (n - 2) if n > 2 else INF
        if n > 4:
            variance = 2 * n ** 2 * (m + n - 2) / (m * (n - 2) ** 2 * (n - 4))
        else:
            variance = INF if n > 2 else NAN
        return mean, variance


class StudentT(Continuous):
    low = -INF

    def __init__(self, df):
        self.df = df

    def tails(self, x):
        df = self.df
        if x == 0:
            return mpf(1) / 2, mpf(1) / 2
        x2 = x * x
        log_sum = mp.log(df + x2)
        far, _ = incomplete_beta(df / 2, mpf(1) / 2, df / (df + x2), x2 / (df + x2),
                                 mp.log(df) - log_sum, mp.log(x2) - log_sum)
        return (far / 2, 1 - far / 2) if x < 0 else (1 - far / 2, far / 2)

    def density(self, x):
        df = self.df
        return mp.exp(mp.loggamma((df + 1) / 2) - mp.loggamma(df / 2) - mp.log(df * mp.pi) / 2 -
                      (df + 1) / 2 * mp.log1p(x * x / df))

    def moments(self):
        df = self.df
        mean = mpf(0) if df > 1 else NAN
        variance = df / (df - 2) if df > 2 else (INF if df == 2 else NAN)
        return mean, variance


class Gamma(Continuous):
    """Shape k, scale theta (chi-square: k = n/2, theta = 2)."""

    def __init__(self, shape, scale):
        self.k, self.theta = shape, scale

    def tails(self, x):
        return gamma_tails(self.k, x / self.theta)

    def density(self, x):
        k, theta = self.k, self.theta
        if x < 0:
            return mpf(0)
        if x == 0:
            return lower_end_limit(k - 1, 1 / theta)
        y = x / theta
        return mp.exp((k - 1) * mp.log(y) - y - mp.loggamma(k)) / theta

    def moments(self):
        return self.k * self.theta, self.k * self.theta ** 2


class Normal(Continuous):
    low = -INF

    def __init__(self, mu, sigma):
        self.mu, self.sigma = mu, sigma

    def tails(self, x):
        z = (x - self.mu) / self.sigma
        return normal_upper(-z), normal_upper(z)

    def density(self, x):
        z = (x - self.mu) / self.sigma
        return mp.exp(-z * z / 2) / (self.sigma * mp.sqrt(2 * mp.pi))

    def moments(self):
        return self.mu, self.sigma ** 2


class Lognormal(Continuous):
    def __init__(self, mu, sigma):
        self.normal = Normal(mu, sigma)
        self.mu, self.sigma = mu, sigma

    def tails(self, x):
        return (mpf(0), mpf(1)) if x <= 0 else self.normal.tails(mp.log(x))

    def density(self, x):
        return mpf(0) if x <= 0 else self.normal.density(mp.log(x)) / x

    def moments(self):
        s2 = self.sigma ** 2
        return mp.exp(self.mu + s2 / 2), mp.expm1(s2) * mp.exp(2 * self.mu + s2)


class Cauchy(Continuous):
    low = -INF

    def __init__(self, location, scale):
        self.location, self.scale = location, scale

    def tails(self, x):
        z = (x - self.location) / self.scale
        return mp.atan2(1, -z) / mp.pi, mp.atan2(1, z) / mp.pi

    def density(self, x):
        z = (x - self.location) / self.scale
        return 1 / (mp.pi * self.scale * (1 + z * z))

    def closed_quantile(self, q, upper):
        return self.location + self.scale * mp.tan(mp.pi * (q - mpf(1) / 2))

    def moments(self):
        return NAN, NAN


class Weibull(Continuous):
    """Scale lambda, shape k; the exponential (scale 1/rate, shape 1) and the Rayleigh (scale
    sigma sqrt 2, shape 2) are Weibulls."""

    def __init__(self, scale, shape):
        self.lam, self.k = scale, shape

    def tails(self, x):
        if x <= 0:
            return mpf(0), mpf(1)
        t = (x / self.lam) ** self.k
        return -mp.expm1(-t), mp.exp(-t) if t < FAR else mpf(0)

    def density(self, x):
        lam, k = self.lam, self.k
        if x < 0:
            return mpf(0)
        if x == 0:
            return lower_end_limit(k - 1, 1 / lam)
        y = x / lam
        return k / lam * mp.exp((k - 1) * mp.log(y) - y ** k) if y ** k < FAR else mpf(0)

    def hazard(self, x, f, upper):
        lam, k = self.lam, self.k
        if x <= 0:
            return mpf(0) if x < 0 else lower_end_limit(k - 1, 1 / lam)
        return k / lam * (x / lam) ** (k - 1)

    def closed_quantile(self, q, upper):
        t = -mp.log(1 - q) if upper else -mp.log1p(-q)
        return self.lam * t ** (1 / self.k)

    def moments(self):
        g1 = mp.gamma(1 + 1 / self.k)
        return self.lam * g1, self.lam ** 2 * (mp.gamma(1 + 2 / self.k) - g1 ** 2)


class Uniform(Continuous):
    def __init__(self, a, b):
        self.low, self.high = a, b

    def tails(self, x):
        a, b = self.low, self.high
        if x <= a:
            return mpf(0), mpf(1)
        if x >= b:
            return mpf(1), mpf(0)
        return (x - a) / (b - a), (b - x) / (b - a)

    def density(self, x):
        return 1 / (self.high - self.low) if self.low <= x <= self.high else mpf(0)

    def closed_quantile(self, q, upper):
        return self.low + q * (self.high - self.low)

    def moments(self):
        a, b = self.low, self.high
        return (a + b) / 2, (b - a) ** 2 / 12


class Discrete:
    """A discrete distribution on the counts low..high (high may be infinite)."""
    low = 0
    high = INF

    def mass(self, k):
        raise NotImplementedError

    def tails_inside(self, k):
        raise NotImplementedError

    def tails(self, k):
        """(F(k), S(k)) = (P(X <= k), P(X > k))."""
        if k < self.low:
            return mpf(0), mpf(1)
        if k >= self.high:
            return mpf(1), mpf(0)
        return self.tails_inside(k)

    def density(self, k):
        return self.mass(k) if self.low <= k <= self.high else mpf(0)

    def hazard(self, k, f, upper):
        return NAN  # no hazard field value for the discrete distributions

    def cumulative(self, k):
        return self.tails(k)[0]

    def quantile(self, q, hint):
        """The smallest count k with F(k) >= q, and the counts also right by a tie."""
        if q == 0:
            return self.low, []
        if q == 1:
            return self.high, []
        start = int(mpf(hint)) if hint is not None else self.low
        start = max(self.low, min(start, self.high if self.high != INF else start))
        if self.cumulative(start) >= q:
            above, width = start, 1
            below = above - width
            while below >= self.low and self.cumulative(below) >= q:
                above, width = below, 2 * width
                below = max(self.low - 1, above - width)
        else:
            below, width = start, 1
            above = below + width
            while self.cumulative(above) < q:
                below, width = above, 2 * width
                above = below + width if self.high == INF else min(self.high, below + width)
        while above - below > 1:
            middle = (above + below) // 2
            if self.cumulative(middle) >= q:
                above = middle
            else:
                below = middle
        # A cumulative within the working precision of q equals it (q is a double, F(k) a
        # rational number or a value far from any double): the smaller count is the quantile.
        if above > self.low and abs(self.cumulative(above - 1) - q) <= EXACT * q:
            above -= 1
        also = []
        if above > self.low and abs(self.cumulative(above - 1) - q) <= TIE * q:
            also.append(above - 1)
        if above < self.high and abs(self.cumulative(above) - q) <= TIE * q:
            also.append(above + 1)
        return above, also


class Binomial(Discrete):
    def __init__(self, n, p):
        self.n, self.p = int(n), p
        self.high = self.n

    def mass(self, k):
        n, p = self.n, self.p
        return mp.exp(mp.loggamma(n + 1) - mp.loggamma(k + 1) - mp.loggamma(n - k + 1) +
                      k * mp.log(p) + (n - k) * mp.log1p(-p))

    def tails_inside(self, k):
        # S(k) = I_p(k + 1, n - k).
        upper, lower = incomplete_beta(k + 1, self.n - k, self.p, 1 - self.p, mp.log(self.p),
                                       mp.log1p(-self.p))
        return lower, upper

    def moments(self):
        return self.n * self.p, self.n * self.p * (1 - self.p)


class Poisson(Discrete):
    def __init__(self, rate):
        self.rate = rate

    def mass(self, k):
        return mp.exp(k * mp.log(self.rate) - self.rate - mp.loggamma(k + 1))

    def tails_inside(self, k):
        # F(k) = Q(k + 1, lambda).
        lower, upper = gamma_tails(k + 1, self.rate)
        return upper, lower

    def moments(self):
        return self.rate, self.rate


class Geometric(Discrete):
    """Failures before the first success."""

    def __init__(self, p):
        self.p = p

    def mass(self, k):
        return self.p * mp.exp(k * mp.log1p(-self.p))

    def tails_inside(self, k):
        t = (k + 1) * mp.log1p(-self.p)
        return -mp.expm1(t), mp.exp(t)

    def moments(self):
        return 1 / self.p, (1 - self.p) / self.p ** 2


class Hypergeometric(Discrete):
    """Population M with K marked, n drawn; the masses summed exactly over the support."""

    def __init__(self, M, K, n):
        M, K, n = int(M), int(K), int(n)
        self.M, self.K, self.n = M, K, n
        self.low, self.high = max(0, n - (M - K)), min(n, K)
        first = mp.exp(self.log_choose(K, self.low) + self.log_choose(M - K, n - self.low) -
                       self.log_choose(M, n))
        self.masses = [first]
        for k in range(self.low, self.high):
            self.masses.append(self.masses[-1] * (K - k) * (n - k) /
                               ((k + 1) * (M - K - n + k + 1)))
        self.below = [mpf(0)]  # below[i] = sum of masses[:i]
        for m in self.masses:
            self.below.append(self.below[-1] + m)
        self.above = [mpf(0)]  # above[i] = sum of the last i masses
        for m in reversed(self.masses):
            self.above.append(self.above[-1] + m)

    @staticmethod
    def log_choose(n, k):
        return mp.loggamma(n + 1) - mp.loggamma(k + 1) - mp.loggamma(n - k + 1)

    def mass(self, k):
        return self.masses[int(k) - self.low]

    def tails_inside(self, k):
        i = int(k) - self.low + 1
        return self.below[i], self.above[len(self.masses) - i]

    def moments(self):
        M, K, n = self.M, self.K, self.n
        variance = mpf(0) if M == 1 else mpf(n) * K * (M - K) * (M - n) / (mpf(M) ** 2 * (M - 1))
        return mpf(n) * K / M, variance


def make_distribution(key, p):
    """The distribution of a case, from the converted parameters p (mpf, or None)."""
    return {
        'beta': lambda: Beta(p[0], p[1]),
        'binomial': lambda: Binomial(p[0], p[1]),
        'cauchy': lambda: Cauchy(p[0], p[1]),
        'chisquare': lambda: Gamma(p[0] / 2, mpf(2)),
        'exponential': lambda: Weibull(1 / p[0], mpf(1)),
        'f': lambda: FisherF(p[0], p[1]),
        'gamma': lambda: Gamma(p[1], p[0]),
        'geometric': lambda: Geometric(p[0]),
        'hypergeometric': lambda: Hypergeometric(p[0], p[1], p[2]),
        'lognormal': lambda: Lognormal(p[0], p[1]),
        'normal': lambda: Normal(p[0], p[1]),
        'poisson': lambda: Poisson(p[0]),
        'rayleigh': lambda: Weibull(p[0] * mp.sqrt(2), mpf(2)),
        't': lambda: StudentT(p[0]),
        'uniform': lambda: Uniform(p[0], p[1]),
        'weibull': lambda: Weibull(p[0], p[1]),
    }[key]()


def text(v):
    if isinstance(v, int):
        return str(v)
    if mp.isnan(v):
        return 'nan'
    if mp.isinf(v):
        return 'inf' if v > 0 else '-inf'
    if v != 0 and abs(mp.log10(abs(v))) > 9999:
        return '0' if abs(v) < 1 else ('inf' if v > 0 else '-inf')
    return mp.nstr(v, DIGITS, min_fixed=-4, max_fixed=DIGITS)


def number(text):
    """The double a text stands for, exactly: the program computes with doubles."""
    return mpf(float(text))


def point_values(dist, x):
    """(f, F, S, H) at x. exp(t) computed with p digits keeps p - log10 |t| of them: where f or
    S is as small as exp(-1e5) or smaller (x near 1e300), the continuous distributions compute
    them again with the digits the exponent takes, so that H = f / S keeps its digits."""
    f, lower, upper = (dist.density(x),) + dist.tails(x)
    if isinstance(dist, Continuous):
        magnitude = max([abs(mp.mag(v)) for v in (f, upper) if v != 0 and mp.isfinite(v)] + [1])
        if magnitude >= 10 ** 5:
            with mp.workdps(DPS + int(mp.log10(magnitude)) + 5):
                return point_values_at(dist, x)
    return f, lower, upper, dist.hazard(x, f, upper)


def point_values_at(dist, x):
    f, lower, upper = (dist.density(x),) + dist.tails(x)
    return +f, +lower, +upper, +dist.hazard(x, f, upper)


def case_values(dist, at_point, output, argument, hint):
    """The true value of one output (a discrete quantile: and the counts also right)."""
    if output in ('f', 'F', 'S', 'H'):
        x = number(argument)
        if x not in at_point:
            at_point[x] = point_values(dist, x)
        return [dict(zip(('f', 'F', 'S', 'H'), at_point[x]))[output]]
    if output == 'quantile':
        q = number(argument)
        hint = None if hint == '-' else hint
        if isinstance(dist, Discrete):
            k, also = dist.quantile(q, hint)
            return [k if k == INF else int(k)] + [int(a) for a in also]
        return [dist.quantile(q, hint)]
    mean, variance = dist.moments()
    return [mean if output == 'mean' else variance]


def evaluate(task):
    """The table lines of one parameter set's cases: [(index, line)]."""
    mp.mp.dps = DPS
    key, params, cases = task
    dist = make_distribution(key, [None if p == '-' else number(p) for p in params])
    at_point = {}
    lines = []
    for index, output, argument, hint in cases:
        try:
            values = case_values(dist, at_point, output, argument, hint)
        except (ArithmeticError, ValueError) as error:
            sys.stderr.write('generate_truth.py: %s %s %s %s: %s\n' %
                             (key, ' '.join(params), output, argument, error))
            continue
        fields = [key] + list(params) + [output, argument] + [text(v) for v in values]
        lines.append((index, '\t'.join(fields)))
    return lines


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tests', 'data',
        'accuracy_truth.tsv')
    started = time.time()
    groups = {}
    count = 0
    for index, line in enumerate(sys.stdin):
        count += 1
        columns = line.rstrip('\n').split('\t')
        if len(columns) != 7:
            sys.exit('generate_truth.py: not a case line: %r' % line)
        key, p1, p2, p3, output, argument, hint = columns
        groups.setdefault((key, (p1, p2, p3)), []).append((index, output, argument, hint))
    # The costliest sets first, so that the two processes finish together.
    tasks = sorted(((key, params, cases) for (key, params), cases in groups.items()),
                   key=lambda t: -len(t[2]) * (4 if t[0] in ('beta', 'f', 't') else 1))
    with multiprocessing.Pool(PROCESSES) as pool:
        results = [line for lines in pool.imap_unordered(evaluate, tasks) for line in lines]
    results.sort()
    with open(target + '.tmp', 'w') as out:
        out.write('# True values for kelvora-accuracy: tools/oracle/generate_truth.py, mpmath %s '
                  'at %d digits.\n' % (mp.__version__, DPS))
        out.write('# key\tp1\tp2\tp3\toutput\targument\tvalue\t[counts also right]\n')
        for _, line in results:
            out.write(line + '\n')
    os.replace(target + '.tmp', target)
    sys.stderr.write('generate_truth.py: %d of %d cases in %.0f s\n' %
                     (len(results), count, time.time() - started))
    if len(results) != count:
        sys.exit(1)


if __name__ == '__main__':
    main()
