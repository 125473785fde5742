// Formula pictures: which file a distribution and tab show, and where the program's data
// (Images/ and help/) lies.
#pragma once

#include "distributions/distribution_id.hpp"
#include "sampling/function_kind.hpp"

#include <QImage>
#include <QString>

namespace kelvora {

// The picture's file name ("pdf_beta.jpg", "survfun.jpg", ...); empty when the tab shows no
// picture (the hazard of a discrete distribution).
QString IllustrationFileName(DistributionId id, FunctionKind kind);

// The directory that holds Images/ and help/ for a program living in `applicationDir`: that
// directory itself when Images/ lies beside the program (a build tree), else the data directory
// of the prefix the program is installed in (<prefix>/share/kelvora, found relative to
// <prefix>/bin so that a moved prefix still works), else the configured installed location.
QString DataDirectoryFor(const QString& applicationDir);

// DataDirectoryFor() the running program's own directory.
QString DataDirectory();

// The picture for a distribution and tab, read from DataDirectory()/Images each time; a null
// image when there is none or the file is missing or unreadable. On a high-density screen the
// twice-size picture (name@2x.jpg) is used where it exists, with its device pixel ratio set, so
// it still covers the same logical size.
QImage LoadIllustration(DistributionId id, FunctionKind kind);

// As above, from `dataDirectory`/Images and for an explicit device pixel ratio (1 picks the
// plain picture).
QImage LoadIllustration(const QString& dataDirectory, DistributionId id, FunctionKind kind,
                        qreal devicePixelRatio);

} // namespace kelvora
