// Key generation and the block cipher of the data files.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

// One step of the key generator: state := state × 134775813 + 1 (mod 2^32); result in 0..range-1.
std::uint32_t KeyRandom(std::uint32_t range);
// The key of a data file: `laenge` bytes from the 32-bit seed.
QByteArray GenerateKey(std::int32_t seed, int laenge);

// The block cipher and its chained blob format. Keeps the key schedule of the last InitKey.
class TCrypter {
public:
    // Runs the key schedule on the key (every byte counts, zero bytes included).
    void InitKey(const QByteArray& key);
    void EncryptBlock(std::uint32_t& L, std::uint32_t& R) const;
    void DecryptBlock(std::uint32_t& L, std::uint32_t& R) const;

    // Decrypts one blob of n bytes with the schedule of the last InitKey. Returns the plaintext
    // length m and fills `klartext`, or -1 (and leaves it empty) when the blob is invalid.
    int DecryptBlob(const char* blob, std::int64_t n, QByteArray& klartext) const;
    // Runs the key schedule, then DecryptBlob.
    int Decrypt(const char* blob, std::int64_t n, const QByteArray& key, QByteArray& klartext);

    // Writer side, for the packing tool and tests: one blob holding `klartext` (at least one
    // byte), with the given chaining value and `padding` (0..7) bytes in front.
    QByteArray EncryptBlob(const QByteArray& klartext, std::uint32_t kettenL, std::uint32_t kettenR,
                           int padding) const;

    const std::array<std::uint32_t, 18>& P() const { return m_p; }
    const std::array<std::array<std::uint32_t, 256>, 4>& S() const { return m_s; }

private:
    std::uint32_t F(std::uint32_t x) const;
    std::array<std::uint32_t, 18> m_p{};
    std::array<std::array<std::uint32_t, 256>, 4> m_s{};
};
