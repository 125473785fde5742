// Saving the graph as a bitmap file and copying it to the clipboard.
#include "app/graph_export.hpp"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A graph-sized picture with a distinct colour in each corner, to check pixel order.
QImage SampleGraph() {
    QImage image(385, 213, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::blue);
    painter.drawLine(10, 200, 370, 20);
    painter.end();
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

quint32 U32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
qint32 I32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}
quint16 U16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Permission checks do not apply to root: run the failing save as an ordinary user. The
// effective id goes back when the scope ends, as the real id stays root.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : switched_(geteuid() == 0 && seteuid(kNobody) == 0) {}
    ~AsOrdinaryUser() {
        if (switched_) {
            [[maybe_unused]] const int restored = seteuid(0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
    bool ok() const { return geteuid() != 0; }

private:
    static constexpr uid_t kNobody = 65534;
    bool switched_;
};

} // namespace

class GraphExportTest : public QObject {
    Q_OBJECT
private slots:
    void savesUnderTheNameExactlyAsGiven_data();
    void savesUnderTheNameExactlyAsGiven();
    void writesUncompressed24BitBitmap();
    void replacesAnExistingFile();
    void failureLeavesTheOldFileAndReports_data();
    void failureLeavesTheOldFileAndReports();
    void unwritablePlacesReportAndKeepOldFile_data();
    void unwritablePlacesReportAndKeepOldFile();
    void nothingToSaveReports();
    void copyPutsOnlyTheImageOnTheClipboard();
    void copyOfNullImageLeavesClipboard();
};

void GraphExportTest::savesUnderTheNameExactlyAsGiven_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("bmp extension") << QStringLiteral("graph.bmp");
    QTest::newRow("no extension") << QStringLiteral("graph");
    QTest::newRow("other extension") << QStringLiteral("graph.png");
    QTest::newRow("upper case") << QStringLiteral("GRAPH.BMP");
    QTest::newRow("blanks and Chinese") << QStringLiteral("正态 分布 图");
    QTest::newRow("trailing dot") << QStringLiteral("graph.");
}

void GraphExportTest::savesUnderTheNameExactlyAsGiven() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(name);
    QString error;
    QVERIFY2(kelvora::SaveGraphBitmap(SampleGraph(), path, &error), qPrintable(error));
    // Exactly one file, of exactly that name, and a bitmap whatever the name says.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QCOMPARE(ReadAll(path).left(2), QByteArray("BM"));
}

void GraphExportTest::writesUncompressed24BitBitmap() {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("graph.bmp");
    const QImage graph = SampleGraph();
    QVERIFY(kelvora::SaveGraphBitmap(graph, path, nullptr));
    const QByteArray bmp = ReadAll(path);
    QVERIFY(bmp.size() > 54);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(U32(bmp, 2), quint32(bmp.size()));
    QCOMPARE(U32(bmp, 14), 40u); // BITMAPINFOHEADER
    QCOMPARE(I32(bmp, 18), graph.width());
    QCOMPARE(I32(bmp, 22), graph.height()); // positive: bottom-up rows
    QCOMPARE(U16(bmp, 26), quint16(1));
    QCOMPARE(U16(bmp, 28), quint16(24));
    QCOMPARE(U32(bmp, 30), 0u); // BI_RGB: no compression
    const int rowBytes = (graph.width() * 3 + 3) / 4 * 4;
    QCOMPARE(qint64(bmp.size()), qint64(U32(bmp, 10)) + qint64(rowBytes) * graph.height());

    // Pixels are stored blue, green, red from the bottom row up.
    const int offset = int(U32(bmp, 10));
    const int topLeft = offset + rowBytes * (graph.height() - 1);
    QCOMPARE(bmp.mid(topLeft, 3), QByteArray("\x00\x00\xff", 3));
    const int bottomRight = offset + (graph.width() - 1) * 3;
    QCOMPARE(bmp.mid(bottomRight, 3), QByteArray("\x00\x80\x00", 3));

    QImage back;
    QVERIFY(back.load(path, "BMP"));
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32),
             graph.convertToFormat(QImage::Format_RGB32));
}

void GraphExportTest::replacesAnExistingFile() {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("graph");
    QVERIFY(WriteFile(path, QByteArray(100000, 'x')));
    QVERIFY(kelvora::SaveGraphBitmap(SampleGraph(), path, nullptr));
    const QByteArray bmp = ReadAll(path);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(U32(bmp, 2), quint32(bmp.size()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void GraphExportTest::failureLeavesTheOldFileAndReports_data() {
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing folder") << QStringLiteral("no such folder/graph.bmp");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("folder under a file") << QStringLiteral("old.bmp/graph.bmp");
    QTest::newRow("target is a pipe") << QStringLiteral("pipe");
}

void GraphExportTest::failureLeavesTheOldFileAndReports() {
    QFETCH(QString, relative);
    QTemporaryDir dir;
    const QDir root(dir.path());
    QVERIFY(root.mkdir("folder"));
    QVERIFY(WriteFile(root.filePath("old.bmp"), "old"));
    QVERIFY(mkfifo(QFile::encodeName(root.filePath("pipe")).constData(), 0644) == 0);
    const QStringList before =
        root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    QString error;
    QVERIFY(!kelvora::SaveGraphBitmap(SampleGraph(), root.filePath(relative), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(root.filePath("folder"))
                .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QCOMPARE(ReadAll(root.filePath("old.bmp")), QByteArray("old"));
}

void GraphExportTest::unwritablePlacesReportAndKeepOldFile_data() {
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("read-only folder") << false << true;
    QTest::newRow("read-only file") << true << false;
}

void GraphExportTest::unwritablePlacesReportAndKeepOldFile() {
    QFETCH(bool, folderWritable);
    QFETCH(bool, fileWritable);
    QTemporaryDir dir;
    const QDir root(dir.path());
    QVERIFY(root.mkdir("out"));
    const QString path = root.filePath("out/graph.bmp");
    QVERIFY(WriteFile(path, "old contents"));
    // Open to everyone so that the ordinary user can reach the folder at all.
    QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    QVERIFY(chmod(QFile::encodeName(path).constData(), fileWritable ? 0666 : 0444) == 0);
    QVERIFY(chmod(QFile::encodeName(root.filePath("out")).constData(),
                  folderWritable ? 0777 : 0555) == 0);

    QString error;
    bool saved = true;
    {
        AsOrdinaryUser user;
        if (!user.ok()) {
            QSKIP("cannot leave the root account to test permissions");
        }
        saved = kelvora::SaveGraphBitmap(SampleGraph(), path, &error);
    }
    QVERIFY(chmod(QFile::encodeName(root.filePath("out")).constData(), 0755) == 0);
    QVERIFY(!saved);
    QVERIFY2(error.contains("graph.bmp"), qPrintable(error));
    QCOMPARE(ReadAll(path), QByteArray("old contents"));
    QCOMPARE(QDir(root.filePath("out")).entryList(QDir::Files | QDir::Hidden),
             QStringList{"graph.bmp"});
}

void GraphExportTest::nothingToSaveReports() {
    QTemporaryDir dir;
    QString error;
    QVERIFY(!kelvora::SaveGraphBitmap(QImage(), QDir(dir.path()).filePath("graph.bmp"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!kelvora::SaveGraphBitmap(SampleGraph(), QString(), &error));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void GraphExportTest::copyPutsOnlyTheImageOnTheClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("earlier text"));
    const QImage graph = SampleGraph();
    QString error;
    QVERIFY2(kelvora::CopyGraphToClipboard(graph, &error), qPrintable(error));
    QVERIFY(!clipboard->mimeData()->hasText());
    QVERIFY(clipboard->mimeData()->hasImage());
    QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32),
             graph.convertToFormat(QImage::Format_RGB32));
}

void GraphExportTest::copyOfNullImageLeavesClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));
    QString error;
    QVERIFY(!kelvora::CopyGraphToClipboard(QImage(), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));
}

QTEST_MAIN(GraphExportTest)
#include "graph_export_test.moc"
