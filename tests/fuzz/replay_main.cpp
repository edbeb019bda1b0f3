// Feeds every file of the given directories (or the given files) to the fuzz
// target once: the regression corpus becomes an ordinary test that any
// compiler can build, without libFuzzer.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

bool replay(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    // An exact-size copy: QByteArray keeps a zero after its data, which would
    // hide a read one byte past the end from AddressSanitizer.
    const std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(exact.data(), exact.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int inputs = 0;
    bool readable = true;
    for (int i = 1; i < argc; ++i) {
        const QString path = QFile::decodeName(argv[i]);
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                readable = replay(it.next()) && readable;
                ++inputs;
            }
        } else {
            readable = replay(path) && readable;
            ++inputs;
        }
    }
    std::printf("replayed %d inputs\n", inputs);
    return readable && inputs > 0 ? 0 : 1;
}
