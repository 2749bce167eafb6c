#include "Artwork.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ArtworkTest : public QObject {
    Q_OBJECT

private:
    // Runs the build's picture compiler; returns its exit code.
    static int embed(const QStringList& arguments, QString* errors = nullptr) {
        QProcess tool;
        tool.start(QStringLiteral(EMBED_IMAGE_TOOL), arguments);
        if (!tool.waitForFinished(30000))
            return -1;
        if (errors)
            *errors = QString::fromLocal8Bit(tool.readAllStandardError());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

private Q_SLOTS:
    // The compiled-in picture is the committed PNG, pixel for pixel.
    void compiledPictureIsTheArtwork() {
        const QImage png(QStringLiteral(TINTARO_SOURCE_DIR "/app/artwork/zelkor.png"));
        QVERIFY(!png.isNull());
        const QImage embedded = tintaro::artwork::zelkor.image();
        QCOMPARE(embedded.size(), QSize(96, 96));
        QCOMPARE(embedded.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(embedded, png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void writesOneDefinitionOfTheName() {
        QTemporaryDir dir;
        QImage picture(3, 2, QImage::Format_ARGB32);
        picture.fill(QColor(10, 20, 30, 128));
        QVERIFY(picture.save(dir.filePath(QStringLiteral("p.png"))));
        const QString out = dir.filePath(QStringLiteral("p.cpp"));
        QCOMPARE(embed({dir.filePath(QStringLiteral("p.png")), out, QStringLiteral("a::b::pic")}),
                 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("namespace a::b {"));
        QVERIFY(text.contains("extern const tintaro::EmbeddedImage pic;"));
        QVERIFY(text.contains("const tintaro::EmbeddedImage pic{3, 2, kPixels};"));
        // Premultiplied, in memory order (blue, green, red, alpha): one line per row, six
        // pixels and no more.
        QByteArray pixels = "kPixels[] = {\n   ";
        for (int i = 0; i < 6; ++i)
            pixels += (i == 3 ? "\n    " : " ") + QByteArray("15, 10, 5, 128,");
        QVERIFY2(text.contains(pixels + "\n};"), text.constData());
    }

    void refusesBadInputWithoutWriting_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::newRow("missing file")
            << QStringLiteral("missing.png") << QStringLiteral("a::b") << 1;
        QTest::newRow("not a picture") << QStringLiteral("text.png") << QStringLiteral("a::b") << 1;
        QTest::newRow("empty picture")
            << QStringLiteral("empty.png") << QStringLiteral("a::b") << 1;
        QTest::newRow("no namespace") << QStringLiteral("good.png") << QStringLiteral("pic") << 2;
        QTest::newRow("no name") << QStringLiteral("good.png") << QStringLiteral("a::") << 2;
        QTest::newRow("no namespace name")
            << QStringLiteral("good.png") << QStringLiteral("::b") << 2;
    }

    void refusesBadInputWithoutWriting() {
        QFETCH(QString, input);
        QFETCH(QString, name);
        QFETCH(int, code);
        QTemporaryDir dir;
        QImage good(1, 1, QImage::Format_RGB32);
        good.fill(Qt::red);
        QVERIFY(good.save(dir.filePath(QStringLiteral("good.png"))));
        QFile text(dir.filePath(QStringLiteral("text.png")));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
        text.close();
        QFile empty(dir.filePath(QStringLiteral("empty.png")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();

        const QString out = dir.filePath(QStringLiteral("out.cpp"));
        QString errors;
        QCOMPARE(embed({dir.filePath(input), out, name}, &errors), code);
        QVERIFY(!errors.isEmpty());
        QVERIFY(!QFile::exists(out));
    }

    void refusesAWrongArgumentCount() {
        QString errors;
        QCOMPARE(embed({QStringLiteral("only-one")}, &errors), 2);
        QVERIFY(errors.contains(QStringLiteral("usage:")));
    }
};

QTEST_MAIN(ArtworkTest)
#include "ArtworkTest.moc"
