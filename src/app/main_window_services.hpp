// What the main window needs from outside itself, with the program's defaults. Tests replace
// the parts that would open a dialog or touch the disk, and observe the pipeline.
#pragma once

#include "distributions/distribution_id.hpp"
#include "render/graph_file.hpp"
#include "results/number_locale.hpp"
#include "sampling/function_kind.hpp"

#include <QImage>
#include <QLocale>
#include <QString>

#include <functional>

class QWidget;

namespace kelvora {

// The three stages of the recalculation pipeline, in their fixed order.
enum class Stage {
    RefreshIllustration,
    CalculateResults,
    DrawGraph,
};

struct MainWindowServices {
    // Separators and minus sign of the result fields and the graph's labels.
    QLocale locale = SystemNumberLocale();

    // The formula picture for a distribution and tab; a null image shows nothing.
    std::function<QImage(DistributionId, FunctionKind)> loadIllustration;

    // Asks for the graph's file name and reports the filter selected with it; an empty result
    // means the user cancelled.
    std::function<QString(QWidget* parent, QString* selectedFilter)> askSaveFileName;

    // Writes the graph image, or the graph redrawn, to a file (SaveGraphFile).
    std::function<bool(const QImage&, const GraphRedraw&, GraphFileFormat, const QString& path,
                       QString* error)>
        saveGraph;
    std::function<bool(const QImage&, QString* error)> copyToClipboard;

    // Tells the user that a command failed.
    std::function<void(QWidget* parent, const QString& title, const QString& reason)> showFailure;

    // Told of every stage as it starts, Form_Load's included.
    std::function<void(Stage)> stageObserver;

    // The program's own implementation of every service left empty.
    static MainWindowServices WithDefaults(MainWindowServices services);
};

} // namespace kelvora
