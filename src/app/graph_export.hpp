// Copying the graph image, and where the save dialog's answer puts the graph in which format.
#pragma once

#include "render/graph_file.hpp"

#include <QImage>
#include <QString>

namespace kelvora {

// The save dialog's filters, BMP first: the one selected when the dialog opens.
QString GraphSaveFilters();

struct GraphSaveTarget {
    QString path;
    GraphFileFormat format = GraphFileFormat::Bmp;
};

// The file and format for a name chosen under a filter. An extension naming one of the four
// formats decides, whatever the filter. Otherwise the filter does: under the BMP filter the
// name is used exactly as typed, under the others a name without an extension gets theirs.
GraphSaveTarget ChooseGraphSaveTarget(const QString& chosen, const QString& selectedFilter);

// Empties the clipboard and puts the image on it as a bitmap, nothing else.
bool CopyGraphToClipboard(const QImage& image, QString* error);

} // namespace kelvora
