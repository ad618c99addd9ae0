// Runs a fuzz target's entry point over every input kept for it (its corpus and the crashes
// found), so a normal build proves each one stays mended without libFuzzer.
#include "FuzzInput.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int count = 0;
    QDirIterator inputs(QStringLiteral(LK_FUZZ_INPUTS), QDir::Files, QDirIterator::Subdirectories);
    while (inputs.hasNext()) {
        QFile file(inputs.next());
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(file.fileName()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        ++count;
    }
    std::printf("%d inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
