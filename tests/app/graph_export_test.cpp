// Saving the graph as a bitmap file and copying it to the clipboard.
#include "app/graph_export.hpp"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A graph-sized picture with a distinct colour in two corners, to check pixel order.
QImage SampleGraph() {
    QImage image(385, 213, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(384, 212, qRgb(0, 128, 0));
    return image;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

template <typename T> T At(const QByteArray& bytes, int at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace

class GraphExportTest : public QObject {
    Q_OBJECT
private slots:
    void savesUnderTheNameAsGiven_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("bmp extension") << QStringLiteral("graph.bmp");
        QTest::newRow("no extension") << QStringLiteral("graph");
        QTest::newRow("other extension") << QStringLiteral("graph.png");
        QTest::newRow("blanks and Chinese") << QStringLiteral("正态 分布 图");
    }
    void savesUnderTheNameAsGiven() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(name);
        QVERIFY(WriteFile(QDir(dir.path()).filePath(name), QByteArray(100000, 'x')));
        QString error;
        QVERIFY2(kelvora::SaveGraphBitmap(SampleGraph(), path, &error), qPrintable(error));
        // Exactly one file, of exactly that name, replaced by a bitmap whatever the name says.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        const QByteArray bmp = ReadAll(path);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(At<quint32>(bmp, 2), quint32(bmp.size()));
    }

    void writesUncompressed24BitBitmap() {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("graph.bmp");
        const QImage graph = SampleGraph();
        QVERIFY(kelvora::SaveGraphBitmap(graph, path, nullptr));
        const QByteArray bmp = ReadAll(path);
        QVERIFY(bmp.size() > 54);
        QCOMPARE(At<quint32>(bmp, 14), 40u); // BITMAPINFOHEADER
        QCOMPARE(At<qint32>(bmp, 18), graph.width());
        QCOMPARE(At<qint32>(bmp, 22), graph.height()); // positive: bottom-up rows
        QCOMPARE(At<quint16>(bmp, 28), quint16(24));
        QCOMPARE(At<quint32>(bmp, 30), 0u); // BI_RGB: no compression
        const int rowBytes = (graph.width() * 3 + 3) / 4 * 4;
        const int offset = int(At<quint32>(bmp, 10));
        QCOMPARE(qint64(bmp.size()), qint64(offset) + qint64(rowBytes) * graph.height());
        // Blue, green, red from the bottom row up.
        QCOMPARE(bmp.mid(offset + rowBytes * (graph.height() - 1), 3), QByteArray("\0\0\xff", 3));
        QCOMPARE(bmp.mid(offset + (graph.width() - 1) * 3, 3), QByteArray("\0\x80\0", 3));
    }

    void failureLeavesTheOldFileAndReports_data() {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << QStringLiteral("no such folder/graph.bmp");
        QTest::newRow("target is a folder") << QStringLiteral("folder");
        QTest::newRow("target is a pipe") << QStringLiteral("pipe");
        QTest::newRow("no name") << QString();
    }
    void failureLeavesTheOldFileAndReports() {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        const QDir root(dir.path());
        QVERIFY(root.mkdir("folder"));
        QVERIFY(mkfifo(QFile::encodeName(root.filePath("pipe")).constData(), 0644) == 0);
        const auto entries = [&root] {
            return root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) +
                   QDir(root.filePath("folder")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        QString error;
        QVERIFY(!kelvora::SaveGraphBitmap(
            SampleGraph(), relative.isEmpty() ? relative : root.filePath(relative), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(entries(), before);
        QVERIFY(!kelvora::SaveGraphBitmap(QImage(), root.filePath("graph.bmp"), &error));
        QCOMPARE(entries(), before);
    }

    void readOnlyFileIsKept_data() {
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("read-only folder") << false;
        QTest::newRow("read-only file") << true;
    }
    void readOnlyFileIsKept() {
        QFETCH(bool, folderWritable);
        QTemporaryDir dir;
        const QString out = QDir(dir.path()).filePath("out");
        const QString path = out + "/graph.bmp";
        QVERIFY(QDir().mkdir(out) && WriteFile(path, "old contents"));
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QVERIFY(chmod(QFile::encodeName(path).constData(), folderWritable ? 0444 : 0666) == 0);
        QVERIFY(chmod(QFile::encodeName(out).constData(), folderWritable ? 0777 : 0555) == 0);
        // Permissions do not bind root: save as nobody; the real id stays root to switch back.
        const bool asRoot = geteuid() == 0;
        if (asRoot && seteuid(65534) != 0) {
            QSKIP("cannot leave the root account to test permissions");
        }
        QString error;
        const bool saved = kelvora::SaveGraphBitmap(SampleGraph(), path, &error);
        QVERIFY(!asRoot || seteuid(0) == 0);
        QVERIFY(chmod(QFile::encodeName(out).constData(), 0755) == 0);
        QVERIFY(!saved);
        QVERIFY2(error.contains("graph.bmp"), qPrintable(error));
        QCOMPARE(ReadAll(path), QByteArray("old contents"));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"graph.bmp"});
    }

    void copyPutsOnlyTheImageOnTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("kept"));
        QString error;
        QVERIFY(!kelvora::CopyGraphToClipboard(QImage(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));

        const QImage graph = SampleGraph();
        QVERIFY2(kelvora::CopyGraphToClipboard(graph, &error), qPrintable(error));
        QVERIFY(!clipboard->mimeData()->hasText());
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32),
                 graph.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(GraphExportTest)
#include "graph_export_test.moc"
