#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The readers under test take file paths: each input is written to one file of the working
// folder, replaced input after input.
QString fuzzInputFile(const uint8_t* data, size_t size, const QString& name);

// The entry point every target defines, as libFuzzer calls it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
