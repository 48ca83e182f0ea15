// Replays files through the fuzz target's checks, so the corpus and the kept
// regression inputs run with every compiler, libFuzzer or not.
//   fuzz_replay <file or folder>...
// Files named "valid-*" must be taken as sound input by the target.

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
// Whether the fuzz target takes @p bytes as sound input.
bool acceptedAsValid(const QByteArray &bytes);

namespace {

bool replayFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray data = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(data.constData()),
                           std::size_t(data.size()));
    if (QFileInfo(path).fileName().startsWith(QLatin1String("valid-"))
        && !acceptedAsValid(data)) {
        std::fprintf(stderr, "a valid input was refused: %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    int replayed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString root = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(root).isDir()) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << root;
        }
        files.sort();
        for (const QString &path : std::as_const(files)) {
            if (QFileInfo(path).fileName() == QLatin1String("README.md"))
                continue;
            ++replayed;
            if (!replayFile(path))
                ++failed;
        }
    }
    std::printf("replayed %d inputs, %d failed\n", replayed, failed);
    // An empty run means the folders went missing: that must not pass quietly.
    return (replayed == 0 || failed > 0) ? 1 : 0;
}
