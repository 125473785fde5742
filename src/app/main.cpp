// Kelvora: a calculator and grapher for sixteen probability distributions.
#include "app/main_window.hpp"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvora"));
    QApplication::setApplicationVersion(QStringLiteral(KELVORA_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setDesktopFileName(QStringLiteral("kelvora"));

    kelvora::MainWindow window;
    window.show();
    return QApplication::exec();
}
