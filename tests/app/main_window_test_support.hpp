// Shared by the main window's tests: a probe that stands in for the window's dialogs and disk
// access and records what the window asked of them, and lookups by object name.
#pragma once

#include "app/main_window.hpp"

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <QtTest>

#include <memory>
#include <vector>

namespace kelvora::test {

struct WindowProbe {
    std::vector<Stage> stages;
    QList<QPair<DistributionId, FunctionKind>> illustrationRequests;

    QString saveNameToReturn;
    int saveDialogCalls = 0;
    int saveCalls = 0;
    QString savedPath;
    QImage savedImage;
    bool saveSucceeds = true;

    int copyCalls = 0;
    QImage copiedImage;
    bool copySucceeds = true;

    QStringList failures;

    MainWindowServices services() {
        MainWindowServices s;
        s.locale = QLocale::c();
        s.loadIllustration = [this](DistributionId id, FunctionKind kind) {
            illustrationRequests.append({id, kind});
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(QColor(int(id), int(kind), 0));
            return picture;
        };
        s.askSaveFileName = [this](QWidget*) {
            ++saveDialogCalls;
            return saveNameToReturn;
        };
        s.saveBitmap = [this](const QImage& image, const QString& path, QString* error) {
            ++saveCalls;
            savedPath = path;
            savedImage = image;
            if (!saveSucceeds) {
                *error = QStringLiteral("disk full");
            }
            return saveSucceeds;
        };
        s.copyToClipboard = [this](const QImage& image, QString* error) {
            ++copyCalls;
            copiedImage = image;
            if (!copySucceeds) {
                *error = QStringLiteral("clipboard busy");
            }
            return copySucceeds;
        };
        s.showFailure = [this](QWidget*, const QString& title, const QString& reason) {
            failures.append(title + QLatin1Char('|') + reason);
        };
        s.stageObserver = [this](Stage stage) { stages.push_back(stage); };
        return s;
    }
};

// The stages as letters in order of running: I(llustration), C(alculation), G(raph).
inline QString StageLetters(const std::vector<Stage>& stages) {
    QString letters;
    for (const Stage stage : stages) {
        switch (stage) {
        case Stage::RefreshIllustration:
            letters += QLatin1Char('I');
            break;
        case Stage::CalculateResults:
            letters += QLatin1Char('C');
            break;
        case Stage::DrawGraph:
            letters += QLatin1Char('G');
            break;
        }
    }
    return letters;
}

template <typename T> T* Find(const QObject& root, const QString& name) {
    T* found = root.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    }
    return found;
}

// A window built on a fresh probe; the probe's record starts after Form_Load.
struct WindowUnderTest {
    std::unique_ptr<WindowProbe> probe = std::make_unique<WindowProbe>();
    std::unique_ptr<MainWindow> window;

    WindowUnderTest() {
        window = std::make_unique<MainWindow>(probe->services());
        probe->stages.clear();
        probe->illustrationRequests.clear();
    }
    template <typename T> T* find(const char* name) const {
        return Find<T>(*window, QString::fromLatin1(name));
    }
    // Picks an entry as the user does: the selector reports the activation.
    void chooseDistribution(int index) const;
    QString text(const char* field) const;
};

// The texts of the seven output fields, in the order Text5 Text6 Text11 Text12 Text8 Text9
// Text10.
QStringList OutputTexts(const WindowUnderTest& w);

int RunWindowTests(int argc, char** argv);
int RunInputTests(int argc, char** argv);
int RunCommandTests(int argc, char** argv);

} // namespace kelvora::test
