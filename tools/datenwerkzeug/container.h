// Writing the container of a data file: the payload split into encrypted blobs.
#pragma once

#include <QByteArray>
#include <random>

// Splits the payload into blobs of varying size (between minBlob and maxBlob plaintext bytes),
// each with a fresh random chaining value and its padding in front, and returns the file's bytes.
QByteArray SchreibeContainer(const QByteArray& nutzlast, const QByteArray& key,
                             std::mt19937& zufall, int minBlob = 256, int maxBlob = 4096);
