#!/usr/bin/python3
"""Writes tests/data/routine_oracle.tsv: densities (masses) and cumulatives of the sixteen
distributions at 40-digit accuracy (mpmath, by the methods of generate_truth.py), with the
tolerance each written method is held to; the survival and hazard far in the upper tails; the
moments where their closed forms leave the double range; discrete quantiles at large counts and
levels next to 1. tests/dist/oracle_test.cpp reads the table.

    /usr/bin/python3 tools/oracle/generate_oracle.py      # a few seconds

Each line: distribution key, the three parameter texts as typed, output (f, F, S, H, m for the
mean, v for the variance, Q for a discrete quantile), x or q as typed, true value, tolerance. The
tolerance is absolute for a continuous cumulative, relative for every other output; a quantile
is exact, "inf" where there is none. Continuous points lie at the true
1e-4 ... 0.9999 quantiles; discrete ones step through the support.
"""

import os
import sys

import mpmath as mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate_truth as gt  # noqa: E402

LEVELS = ['1e-4', '0.001', '0.01', '0.1', '0.25', '0.5', '0.75', '0.9', '0.99', '0.999', '0.9999']

# key, parameter sets, cumulative tolerance, density tolerance. A few 1e-8 where the incomplete
# gamma or beta ratio decides the cumulative (4e-7 for t at high df), about 5e-12 for AS 66,
# near rounding for the closed forms.
CONTINUOUS = [
    ('beta', [(0.5, 0.5), (2, 3), (8, 1.5), (30, 30)], 5e-8, 1e-14),
    ('cauchy', [(0, 1), (-3, 0.25), (10, 40)], 1e-15, 2e-15),
    ('chisquare', [(1,), (2,), (5,), (30,), (70,)], 2.5e-8, 2e-14),
    ('exponential', [(1,), (2,), (1 / 30,)], 1e-15, 1e-15),
    ('f', [(1, 1), (3, 4), (10, 25), (60, 80)], 3e-8, 8e-14),
    ('gamma', [(1, 0.5), (2, 3), (0.5, 20), (3, 35)], 2.5e-8, 2e-14),
    ('lognormal', [(0, 1), (1.5, 0.3), (-2, 2)], 5e-12, 4e-15),
    ('normal', [(0, 1), (5, 0.1), (-100, 30)], 5e-12, 4e-15),
    ('rayleigh', [(1,), (0.2,), (15,)], 1e-15, 2e-15),
    ('t', [(1,), (2,), (5,), (30,), (69,)], 4e-7, 5e-14),
    ('uniform', [(0, 1), (-3, 5), (10, 10.5)], 1e-15, 1e-15),
    ('weibull', [(1, 0.7), (1, 1), (3, 2.5), (0.5, 8)], 1e-15, 2e-15),
]

# Densities where a closed form's intermediates leave the double range (Gamma((df + 1)/2) from
# t df = 70, Gamma(n/2) from chi-square n = 71, Gamma(shape) above 35.04, m^m or n^n in the F
# density from 144, large Beta shapes): key, parameters, x, relative tolerance.
LOG_SPACE = [
    ('t', (70,), 1.5, 1e-13), ('t', (71,), 0.5, 1e-13), ('t', (1000,), 0.0, 1e-12),
    ('t', (1000,), 40.0, 1e-11), ('t', (32766,), 2.0, 1e-10),
    ('chisquare', (71,), 71.0, 1e-13), ('chisquare', (71,), 1000.0, 1e-12),
    ('chisquare', (5000,), 5000.0, 1e-11), ('chisquare', (32767,), 33000.0, 1e-10),
    ('gamma', (1, 35.05), 30.0, 1e-13), ('gamma', (2, 50), 10.0, 1e-13),
    ('gamma', (1, 1e5), 1e5, 1e-9), ('gamma', (1, 30), 720.0, 1e-12),
    ('f', (5, 140), 1.0, 1e-13), ('f', (144, 3), 1.0, 1e-13), ('f', (3, 144), 0.2, 1e-13),
    ('f', (2000, 30000), 0.9, 1e-10), ('f', (1, 1000), 1e-6, 1e-12), ('f', (3, 400), 1e3, 1e-10),
    ('beta', (1000, 1000), 0.5, 1e-11), ('beta', (2, 1e5), 1e-3, 1e-9),
]

# key, parameters, first, last and step of the points, relative tolerance. The binomial
# tolerance grows with n (1 - p rounds once and its power carries that error); the
# hypergeometric masses are exponentials of differences of ln n! sums, whose rounding grows
# with M. The geometric x counts failures.
DISCRETE = [('binomial', (n, p), 0, n, 1 + n // 100, 2e-13)
            for n, p in [(1, 0.5), (2, 0.3), (5, 0.001), (10, 0.77), (50, 0.999), (100, 0.02),
                         (500, 0.3), (1000, 0.5), (1000, 0.1)]]
DISCRETE += [('poisson', (rate,), 0, top, 1, 1e-14)
             for rate, top in [(0.01, 170), (1, 170), (3.7, 170), (50, 170), (200, 132), (700, 106)]]
DISCRETE += [('geometric', (p,), 0, 1999, 7, 1e-13) for p in (0.001, 0.1, 0.5, 0.999)]
DISCRETE += [('hypergeometric', (m, k, n), max(0, n + k - m), min(n, k), 1, tol)
             for m, k, n, tol in [(100, 50, 10, 1e-13), (10, 8, 5, 1e-13), (10, 5, 5, 1e-13),
                                  (20, 1, 1, 1e-13), (60, 30, 30, 1e-13), (500, 250, 100, 5e-12),
                                  (1000, 900, 30, 5e-12), (1000, 100, 30, 5e-12),
                                  (32000, 1, 1, 1e-10)]]

# Where a closed form's intermediate leaves the double range although the result does not:
# C(n, k) from n = 1030, k! from 171 and lambda^k, exp(-lambda) from 708.4, the hypergeometric
# recurrence over large populations (its log-factorial sums carry about 1e-8). Points at
# mean + z sd: key, parameters, the z, relative tolerance.
FAR_COUNTS = [('binomial', (n, p), (-6, -0.5, 0, 1, 4), 1e-9)
              for n, p in [(1030, 0.5), (2000, 0.5), (5000, 0.01), (32767, 0.5), (32767, 0.999),
                           (32767, 1e-4)]]
FAR_COUNTS += [('poisson', (rate,), (-10, -5, -1, 0, 3, 8), 1e-10)
               for rate in (150, 708.5, 750, 5000, 30000, 40000)]
FAR_COUNTS += [('hypergeometric', urn, (-5, -1, 0, 1, 3), 3e-8)
               for urn in [(30000, 15000, 1000), (30000, 20000, 20000), (1000, 200, 200),
                           (32000, 30000, 100)]]

# Discrete quantiles where a running sum reaches 1 early or counts pass 32767, and at levels
# next to 1 (1 - 2^-53): key, parameters, levels.
BELOW_ONE = 1.0 - 2.0 ** -53
QUANTILES = [('binomial', (1340, 0.1704), (1.0, BELOW_ONE)),
             ('binomial', (2000, 0.5), (0.001, 0.5, 0.999)),
             ('binomial', (32767, 1e-4), (0.001, 0.5, 0.999)),
             ('poisson', (746,), (1.0, BELOW_ONE)),
             ('poisson', (1000,), (0.5,)),
             ('poisson', (40000,), (0.5, 0.999, BELOW_ONE)),
             ('poisson', (50000,), (0, 0.5)),
             ('geometric', (1e-6,), (0.5,)),
             ('hypergeometric', (32767, 2, 1), (0.99995,)),
             ('hypergeometric', (30000, 20000, 20000), (0.5,))]

# The survival and hazard far in the upper tails, where 1 - F is 1e-15 or below or 0: key,
# parameters, x, relative tolerance (the incomplete gamma and beta ratios stop at 1e-7, AS 66
# at about 1e-9, the exponential forms are exact to rounding).
UPPER_TAILS = [
    ('beta', (2, 3), (0.9999, 1 - 1e-7), 1e-6), ('cauchy', (1, 2), (1e14, 1e100), 1e-13),
    ('cauchy', (0, 1), (1e16,), 1e-13),
    ('chisquare', (4,), (80, 1000), 1e-6), ('exponential', (2,), (20, 300), 1e-13),
    ('f', (5, 7), (1e6, 1e20), 1e-6), ('gamma', (1, 3), (40, 100, 500), 1e-6),
    ('lognormal', (0, 1), (1e4, 1e15), 1e-8), ('normal', (1, 2), (18, 60), 1e-8),
    ('rayleigh', (1.5,), (15, 55), 1e-13), ('t', (3,), (1e5, 1e30), 1e-6),
    ('uniform', (-1, 3), (3 - 1e-12,), 1e-12), ('weibull', (2, 1.5), (30, 150), 1e-12),
]

# Moments whose gamma values leave the range (Weibull below shape 1/34) or cancel (steep
# shapes): key, parameters, outputs, relative tolerance.
MOMENTS = [('weibull', (2, shape), 'mv', 1e-12) for shape in (0.05, 1 / 34.5, 0.02, 12, 1.7)]
MOMENTS += [('weibull', (2, 0.01), 'm', 1e-12), ('weibull', (1e-300, 1 / 200), 'm', 1e-12)]


def typed(v):
    """The text a user types for the double v: the shortest that reads back as v."""
    v = float(v)
    return str(int(v)) if v == int(v) and abs(v) < 1e16 else repr(v)


def line(key, params, output, x, value, tolerance):
    texts = [typed(p) for p in params] + [''] * (3 - len(params))
    return '\t'.join([key] + texts + [output, typed(x), gt.text(value), '%g' % tolerance])


def main():
    mp.mp.dps = gt.DPS
    lines = []
    for key, sets, cdf_tol, pdf_tol in CONTINUOUS:
        for params in sets:
            dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
            for level in LEVELS:
                x = float(dist.quantile(mp.mpf(level), None))
                f, lower, _, _ = gt.point_values(dist, gt.number(typed(x)))
                lines.append(line(key, params, 'f', x, f, pdf_tol))
                lines.append(line(key, params, 'F', x, lower, cdf_tol))
    for key, params, x, tol in LOG_SPACE:
        dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
        lines.append(line(key, params, 'f', x, gt.point_values(dist, gt.number(typed(x)))[0], tol))
    for key, params, first, last, step, tol in DISCRETE:
        dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
        for k in range(first, last + 1, step):
            f, lower, _, _ = gt.point_values(dist, mp.mpf(k))
            lines.append(line(key, params, 'f', k, f, tol))
            lines.append(line(key, params, 'F', k, lower, tol))
    for key, params, zs, tol in FAR_COUNTS:
        dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
        mean, variance = dist.moments()
        for z in zs:
            k = int(mp.floor(mean + z * mp.sqrt(variance)))
            if dist.low <= k <= dist.high:
                f, lower, _, _ = gt.point_values(dist, mp.mpf(k))
                lines.append(line(key, params, 'f', k, f, tol))
                lines.append(line(key, params, 'F', k, lower, tol))
    for key, params, levels in QUANTILES:
        dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
        for q in levels:
            k, _ = dist.quantile(mp.mpf(q), None)
            lines.append(line(key, params, 'Q', q, mp.inf if k == gt.INF else mp.mpf(int(k)), 0))
    for key, params, xs, tol in UPPER_TAILS:
        dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
        for x in xs:
            _, _, upper, hazard = gt.point_values(dist, gt.number(typed(x)))
            lines.append(line(key, params, 'S', x, upper, tol))
            lines.append(line(key, params, 'H', x, hazard, tol))
    for key, params, outputs, tol in MOMENTS:
        dist = gt.make_distribution(key, [gt.number(typed(p)) for p in params] + [None])
        for output, value in zip('mv', dist.moments()):
            if output in outputs:
                lines.append(line(key, params, output, 0, value, tol))
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tests', 'data',
                          'routine_oracle.tsv')
    with open(target, 'w') as out:
        out.write('# Values for tests/dist/oracle_test.cpp: '
                  'tools/oracle/generate_oracle.py, mpmath %s at %d digits.\n'
                  % (mp.__version__, gt.DPS))
        out.write('# key\ttext1\ttext2\ttext3\toutput\tx\tvalue\ttolerance\n')
        out.write('\n'.join(lines) + '\n')
    sys.stderr.write('generate_oracle.py: %d lines\n' % len(lines))


if __name__ == '__main__':
    main()
