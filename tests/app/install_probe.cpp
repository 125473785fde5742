// Copied into an installed prefix's bin/ by the install test: reports where a program living
// there finds its data, and whether every formula picture and the help load from it.
#include "app/illustrations.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString data = kelvora::DataDirectory();
    int loaded = 0;
    for (int i = 0; i < kelvora::kDistributionCount; ++i) {
        for (kelvora::FunctionKind kind :
             {kelvora::FunctionKind::Pdf, kelvora::FunctionKind::Cdf,
              kelvora::FunctionKind::Survival, kelvora::FunctionKind::Hazard}) {
            if (!kelvora::LoadIllustration(static_cast<kelvora::DistributionId>(i), kind)
                     .isNull()) {
                ++loaded;
            }
        }
    }
    const bool help = QFileInfo(QDir(data).filePath(QStringLiteral("help/index.html"))).isFile();
    QTextStream out(stdout);
    out << "data=" << data << "\n"
        << "pictures=" << loaded << "\n"
        << "help=" << (help ? "yes" : "no") << "\n";
    return 0;
}
