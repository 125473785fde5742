// Formula pictures: which file a distribution and tab show, and where the program's data
// (Images/ and help/) lies.
#pragma once

#include "dist/distribution_id.hpp"
#include "plot/function_kind.hpp"

#include <QImage>
#include <QString>

namespace kelvora {

// The picture's file name ("pdf_beta.jpg", "survfun.jpg", ...); empty when the tab shows no
// picture (the hazard of a discrete distribution).
QString IllustrationFileName(DistributionId id, FunctionKind kind);

// The directory that holds Images/ and help/: beside the executable in a build tree, else the
// installed data directory (<prefix>/share/kelvora).
QString DataDirectory();

// The picture for a distribution and tab, read from DataDirectory()/Images each time; a null
// image when there is none or the file is missing or unreadable.
QImage LoadIllustration(DistributionId id, FunctionKind kind);

} // namespace kelvora
