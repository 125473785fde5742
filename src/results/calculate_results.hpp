// The result calculation: five field texts in, the seven result texts out. Shared by the
// window and kelvora-calc; it needs no display.
#pragma once

#include "distributions/distribution_id.hpp"

#include <QLocale>
#include <QString>

namespace kelvora {

// The texts of the input fields, exactly as typed.
struct InputTexts {
    QString param1; // Text1
    QString param2; // Text2
    QString param3; // Text3
    QString x;      // Text4
    QString q;      // Text7
};

// The numbers behind the last calculation (0 where an output had no value).
struct ResultSet {
    double Q = 0.0;
    double Density = 0.0;
    double Cumulative = 0.0;
    double Mean = 0.0;
    double Variance = 0.0;
};

// The seven output texts, each a four-decimal number, an integer quantile, or "N/A".
struct ResultTexts {
    QString density;    // Text5
    QString cumulative; // Text6
    QString survival;   // Text11
    QString hazard;     // Text12
    QString quantile;   // Text8
    QString mean;       // Text9
    QString variance;   // Text10
};

struct CalculationOutput {
    ResultTexts texts;
    ResultSet set;
};

inline const QString kNotAvailable = QStringLiteral("N/A");

// Four decimals, no digit before the decimal point when |v| < 1 (.2500, -.5000, .0000),
// separators and minus sign from `locale`.
QString FormatResult(double v, const QLocale& locale);

// Every output is computed on its own: a fault in one makes that output "N/A" and the others
// are still computed. Never throws.
CalculationOutput CalculateResults(DistributionId id, const InputTexts& inputs,
                                   const QLocale& locale);

} // namespace kelvora
