// Turns a picture into C++ source: its pixels as a constant array in the toolkit's premultiplied
// 32-bit layout, so the program shows it without decoding a file at start-up.
// Usage: tintaro-embed-image INPUT.png OUTPUT.cpp NAMESPACE::NAME
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT OUTPUT.cpp NAMESPACE::NAME\n", argv[0]);
        return 2;
    }
    const QString input = QFile::decodeName(argv[1]);
    const QString output = QFile::decodeName(argv[2]);
    const QByteArray qualified = argv[3];
    const qsizetype cut = qualified.lastIndexOf("::");
    if (cut <= 0 || cut + 2 >= qualified.size()) {
        std::fprintf(stderr, "%s: name must be NAMESPACE::NAME, not \"%s\"\n", argv[0], argv[3]);
        return 2;
    }

    QImageReader reader(input);
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", argv[0], argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    QByteArray text;
    text += "// Generated from " + QFile::encodeName(QFileInfo(input).fileName()) +
            " by tintaro-embed-image; do not edit.\n";
    text += "#include \"EmbeddedImage.h\"\n\nnamespace {\n\n";
    text += "alignas(4) const unsigned char kPixels[] = {";
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width() * 4; ++x) {
            text += (x % 16 == 0) ? "\n    " : " ";
            text += QByteArray::number(row[x]) + ',';
        }
    }
    text += "\n};\n\n} // namespace\n\nnamespace " + qualified.left(cut) + " {\n\n";
    // Declared extern first: a namespace-scope constant is otherwise private to this file.
    text += "extern const tintaro::EmbeddedImage " + qualified.mid(cut + 2) + ";\n";
    text += "const tintaro::EmbeddedImage " + qualified.mid(cut + 2) + "{" +
            QByteArray::number(image.width()) + ", " + QByteArray::number(image.height()) +
            ", kPixels};\n\n} // namespace " + qualified.left(cut) + "\n";

    // Written whole or not at all: a build stopped half-way must not leave a source that compiles.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
