// Kelvora: a calculator and grapher for sixteen probability distributions.
#include "app/main_window.hpp"
#include "app/window_font.hpp"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvora"));
    QApplication::setApplicationVersion(QStringLiteral(KELVORA_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setDesktopFileName(QStringLiteral("kelvora"));
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/%1/kelvora.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    QApplication::setFont(kelvora::WithSimplifiedChineseFallback(QApplication::font()));

    kelvora::MainWindow window;
    window.show();
    return QApplication::exec();
}
