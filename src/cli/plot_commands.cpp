#include "cli/plot_commands.hpp"
#include "registry/registry.hpp"

#include "distributions/distribution_id.hpp"
#include "render/graph_file.hpp"
#include "render/graph_renderer.hpp"
#include "results/number_locale.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace kelvora {

namespace {

// Renders above this many times the window's pixels are refused: the image would take
// gigabytes long before it showed anything new.
constexpr int kLargestScale = 16;

// Shortest text that reads back as the same double; "nan" for a left-out sample.
QString Number(double v) {
    if (std::isnan(v)) {
        return QStringLiteral("nan");
    }
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(r.ptr - buffer));
}

// The hazard of a discrete distribution is not sampled.
QString HazardText(DistributionId id, double v) {
    return IsDiscrete(id) ? QStringLiteral("-") : Number(v);
}

} // namespace

int RunSamplesCommand(DistributionId id, const ParameterTexts& texts, QTextStream& out) {
    constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
    PlotRange range{kNoValue, kNoValue};
    if (!ChoosePlotRange(id, texts, range)) {
        range = PlotRange{kNoValue, kNoValue};
    }
    out << Number(range.XMin) << '\t' << Number(range.XMax) << '\n';

    PlotSamples samples;
    CurveExtremes e;
    if (!SampleCurves(id, texts, range.XMin, range.XMax, samples, e)) {
        out << "invalid\n";
    } else {
        out << Number(e.MaxPdf) << '\t' << Number(e.MaxCdf) << '\t' << Number(e.MaxSurvival) << '\t'
            << HazardText(id, e.MinHazard) << '\t' << HazardText(id, e.MaxHazard) << '\n';
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            out << Number(samples.X[i]) << '\t' << Number(samples.Pdf[i]) << '\t'
                << Number(samples.Cdf[i]) << '\t' << Number(samples.Survival[i]) << '\t'
                << HazardText(id, samples.Hazard[i]) << '\n';
        }
    }
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}

int RunPlotCommand(DistributionId id, const ParameterTexts& texts, FunctionKind kind,
                   const QString& file, int scale, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return 1;
    };
    const std::optional<GraphFileFormat> format = GraphFileFormatOf(file);
    if (!format) {
        return fail(
            QStringLiteral("%1: the file name must end in .bmp, .png, .svg or .pdf").arg(file));
    }
    if (scale < 1 || scale > kLargestScale) {
        return fail(
            QStringLiteral("the scale must be a whole number from 1 to %1").arg(kLargestScale));
    }
    // Text needs the font database, which only a GUI application provides.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return fail(QStringLiteral("drawing the graph needs a QGuiApplication"));
    }
    const QLocale locale = SystemNumberLocale();
    PlotSamples samples;
    QImage image;
    GraphRedraw redraw;
    if (*format == GraphFileFormat::Bmp || *format == GraphFileFormat::Png) {
        image = MakeGraphImage(scale);
        DrawGraph(image, id, texts, kind, locale, samples);
    } else {
        redraw = [&](QPaintDevice& device) {
            DrawGraphOn(device, id, texts, kind, locale, samples);
        };
    }
    QString reason;
    if (!SaveGraphFile(image, redraw, *format, file, &reason)) {
        return fail(QStringLiteral("%1: cannot write the graph: %2").arg(file, reason));
    }
    return 0;
}

} // namespace kelvora
