// Kelvora: a calculator and grapher for sixteen probability distributions.
#include "app/main_window.hpp"
#include "app/window_font.hpp"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {

// For measuring start-up (not a user option): with KELVORA_QUIT_AFTER_SHOW set, the program
// ends as soon as the window has been drawn for the first time.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/%1/kelvora.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvora"));
    QApplication::setApplicationVersion(QStringLiteral(KELVORA_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setDesktopFileName(QStringLiteral("kelvora"));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setFont(kelvora::WithSimplifiedChineseFallback(QApplication::font()));

    // The interface is Chinese whatever the machine's language: Qt's own texts (the file
    // dialog, a field's context menu) follow it where Qt's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    kelvora::MainWindow window;
    QuitAfterFirstPaint quitAfterFirstPaint;
    if (!qEnvironmentVariableIsEmpty("KELVORA_QUIT_AFTER_SHOW")) {
        window.installEventFilter(&quitAfterFirstPaint);
    }
    window.show();
    return QApplication::exec();
}
