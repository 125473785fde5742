// The graph's files: each format recognised by its magic, the images unchanged, the SVG a
// well-formed document whose curve is one path inside the frame, also where the data leave it.
// And the number format the labels and results take from a C locale.
#include "render/graph_file.hpp"
#include "render/graph_painter.hpp"
#include "render/graph_renderer.hpp"
#include "results/calculate_results.hpp"
#include "results/number_locale.hpp"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <limits>
#include <vector>

namespace kelvora {
namespace {

using Id = DistributionId;

// The frame's outer edges at a pixel ratio of 1: its one-pixel sides are centred on 40.5,
// 360.5, 26.5 and 179.5.
const QRectF kFrameOuter(QPointF(40.0, 26.0), QPointF(361.0, 180.0));

struct SvgCurves {
    int count = 0;    // blue paths and polylines
    int subpaths = 0; // their "M" commands
    int texts = 0;
    std::vector<QPointF> points;
};

// False when the document is not well-formed XML.
bool ReadSvg(const QByteArray& svg, SvgCurves& found) {
    static const QRegularExpression number(QStringLiteral(R"([-+]?(\d+\.?\d*|\.\d+)(e[-+]?\d+)?)"));
    QXmlStreamReader xml(svg);
    QStringList strokes; // inherited by nested elements
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            strokes.removeLast();
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        strokes.append(attributes.hasAttribute(QStringLiteral("stroke"))
                           ? attributes.value(QStringLiteral("stroke")).toString()
                       : strokes.isEmpty() ? QString()
                                           : strokes.back());
        found.texts += xml.name() == u"text" ? 1 : 0;
        const bool path = xml.name() == u"path";
        if ((!path && xml.name() != u"polyline") || strokes.back() != u"#0000ff") {
            continue;
        }
        ++found.count;
        const QString data =
            attributes.value(path ? QStringLiteral("d") : QStringLiteral("points")).toString();
        found.subpaths += path ? int(data.count(QLatin1Char('M'))) : 1;
        std::vector<double> values;
        for (auto match = number.globalMatch(data); match.hasNext();) {
            values.push_back(match.next().captured().toDouble());
        }
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            found.points.emplace_back(values[i], values[i + 1]);
        }
    }
    return !xml.hasError();
}

bool Inside(const QPointF& p) {
    constexpr double kWritten = 1e-3; // the generator writes six significant digits
    return p.x() >= kFrameOuter.left() - kWritten && p.x() <= kFrameOuter.right() + kWritten &&
           p.y() >= kFrameOuter.top() - kWritten && p.y() <= kFrameOuter.bottom() + kWritten;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GraphFile, FormatsFollowTheExtensionInAnyLetterCase) {
    EXPECT_EQ(GraphFileFormatOf(QStringLiteral("a.BMP")), GraphFileFormat::Bmp);
    EXPECT_EQ(GraphFileFormatOf(QStringLiteral("/t/a b.Png")), GraphFileFormat::Png);
    EXPECT_EQ(GraphFileFormatOf(QStringLiteral("x.tar.svg")), GraphFileFormat::Svg);
    EXPECT_EQ(GraphFileFormatOf(QStringLiteral("report.pdf")), GraphFileFormat::Pdf);
    for (const char* other : {"graph", "g.jpg", "g.svgz", "pdf", "dir.svg/graph", ""}) {
        EXPECT_FALSE(GraphFileFormatOf(QString::fromLatin1(other))) << other;
    }
}

// A density, mass steps, a hazard and the invalid-parameter message, in every format.
TEST(GraphFile, EveryFormatIsWrittenAndRecognisedByItsMagic) {
    struct Case {
        Id id;
        ParameterTexts texts;
        FunctionKind kind;
        int curves;
    };
    const Case cases[] = {{Id::Normal, {"0", "1", ""}, FunctionKind::Pdf, 1},
                          {Id::Binomial, {"10", "0.5", ""}, FunctionKind::Pdf, 1},
                          {Id::Gamma, {"2", "3", ""}, FunctionKind::Hazard, 1},
                          {Id::Normal, {"0", "-1", ""}, FunctionKind::Cdf, 0}};
    const QTemporaryDir dir;
    for (const Case& c : cases) {
        const auto at = static_cast<int>(c.id);
        QImage image = MakeGraphImage(1.0);
        PlotSamples samples;
        DrawGraph(image, c.id, c.texts, c.kind, QLocale::c(), samples);
        const GraphRedraw redraw = [&](QPaintDevice& device) {
            PlotSamples vectorSamples;
            DrawGraphOn(device, c.id, c.texts, c.kind, QLocale::c(), vectorSamples);
        };
        const QString stem = dir.filePath(QStringLiteral("g%1.").arg(at));
        QString error;
        for (const auto format : {GraphFileFormat::Bmp, GraphFileFormat::Png, GraphFileFormat::Svg,
                                  GraphFileFormat::Pdf}) {
            ASSERT_TRUE(
                SaveGraphFile(image, redraw, format, stem + GraphFileSuffix(format), &error))
                << error.toStdString();
        }
        // The images unchanged.
        const QByteArray bmp = ReadAll(stem + "bmp");
        const QByteArray png = ReadAll(stem + "png");
        EXPECT_TRUE(bmp.startsWith("BM")) << at;
        EXPECT_TRUE(png.startsWith("\x89PNG\r\n")) << at;
        EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), image);
        EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), image);
        // The vectors: one curve inside the frame, the twelve labels or the message.
        const QByteArray svg = ReadAll(stem + "svg");
        EXPECT_TRUE(svg.startsWith("<?xml") && svg.contains("<svg")) << at;
        SvgCurves found;
        ASSERT_TRUE(ReadSvg(svg, found)) << at;
        EXPECT_EQ(found.count, c.curves) << at;
        EXPECT_EQ(found.points.size() > 400u, c.curves > 0) << at;
        for (const QPointF& p : found.points) {
            ASSERT_TRUE(Inside(p)) << at << ": " << p.x() << ", " << p.y();
        }
        EXPECT_EQ(found.texts, c.curves > 0 ? 12 : 1) << at;
        EXPECT_EQ(svg.contains("错误：非法参数。"), c.curves == 0) << at;
        const QByteArray pdf = ReadAll(stem + "pdf");
        EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF")) << at;
    }
}

// Data beyond the frame and a left-out sample: the vector curve is cut at the frame's edge
// (Qt's SVG generator would ignore a clip) and stays one path of two pieces.
TEST(GraphFile, VectorCurveLeavingTheFrameIsClippedIntoOnePath) {
    std::array<double, kSampleArraySize> X{};
    std::array<double, kSampleArraySize> S{};
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        X[i] = double(i) / kSampleCount;
        S[i] = X[i] - 0.1; // enters the span [0, 0.5] at the bottom and leaves through the top
    }
    S[100] = std::numeric_limits<double>::quiet_NaN();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kGraphWidthPx, kGraphHeightPx));
    svg.setResolution(96);
    {
        GraphPainter painter(svg);
        painter.DrawCurve(GraphScale({0.0, 1.0}, {0.0, 0.5}, painter.H()), X, S);
    }
    SvgCurves found;
    ASSERT_TRUE(ReadSvg(buffer.data(), found));
    EXPECT_EQ(found.count, 1);
    EXPECT_EQ(found.subpaths, 2);
    ASSERT_FALSE(found.points.empty());
    for (const QPointF& p : found.points) {
        ASSERT_TRUE(Inside(p)) << p.x() << ", " << p.y();
    }
    // The segments crossing the frame's bottom and top edges (2700 and 390 twips down, where
    // S = (2695 - 2700) / 4600 and (2695 - 390) / 4600) are cut there, not left out.
    EXPECT_NEAR(found.points.front().y(), kFrameOuter.bottom(), 1e-3);
    EXPECT_NEAR(found.points.front().x(), 40.0 + 320.0 * (0.1 - 5.0 / 4600.0), 1e-3);
    EXPECT_NEAR(found.points.back().y(), kFrameOuter.top(), 1e-3);
    EXPECT_NEAR(found.points.back().x(), 40.0 + 320.0 * (0.1 + 2305.0 / 4600.0), 1e-3);
}

} // namespace
} // namespace kelvora
