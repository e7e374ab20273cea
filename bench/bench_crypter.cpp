// Decryption throughput of the data-file cipher, next to OpenSSL's Blowfish in CBC mode on the
// same number of bytes (the same amount of work per block: 16 rounds, CBC, one key schedule).
#include "refdata/crypter.h"
#include "refdata/datendatei.h"

#include <benchmark/benchmark.h>

// The low-level BF_* functions are deprecated in OpenSSL 3 but need no provider.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <memory>
#include <random>

namespace {

constexpr int kMiB = 1 << 20;

QByteArray Zufall(qsizetype n, unsigned saat)
{
    std::mt19937 zufall(saat);
    QByteArray a(n, Qt::Uninitialized);
    for (char& b : a)
        b = static_cast<char>(zufall());
    return a;
}

QByteArray Key()
{
    return GenerateKey(Data1.Seed, Data1.Schluessellaenge);
}

// A container of `groesse` plaintext bytes in blobs of `blobgroesse` bytes.
QByteArray Container(int groesse, int blobgroesse)
{
    TCrypter c;
    c.InitKey(Key());
    const QByteArray klartext = Zufall(groesse, 1);
    QByteArray datei;
    for (int pos = 0; pos < groesse; pos += blobgroesse) {
        const QByteArray stueck = klartext.mid(pos, blobgroesse);
        const QByteArray blob =
            c.EncryptBlob(stueck, 0x12345678u + pos, 0x9ABCDEF0u, (8 - stueck.size() % 8) % 8);
        for (int i = 0; i < 4; ++i)
            datei.append(static_cast<char>(blob.size() >> (8 * i)));
        datei.append(blob);
    }
    return datei;
}

// Whole data file in memory: one key schedule, then every blob.
void BM_Container(benchmark::State& state)
{
    const QByteArray datei = Container(kMiB, static_cast<int>(state.range(0)));
    const QByteArray key = Key();
    QByteArray strom;
    for (auto _ : state) {
        DecryptBytesToStream(datei, strom, key, QStringLiteral("Data1.cry"));
        benchmark::DoNotOptimize(strom.data());
    }
    state.SetBytesProcessed(state.iterations() * datei.size());
}
BENCHMARK(BM_Container)->Arg(4096)->Arg(64 * 1024);

// One large blob, key schedule done: the cipher and its chaining alone.
void BM_Blob(benchmark::State& state)
{
    TCrypter c;
    c.InitKey(Key());
    const QByteArray blob = c.EncryptBlob(Zufall(kMiB, 2), 1, 2, 0);
    QByteArray klartext;
    for (auto _ : state) {
        c.DecryptBlob(blob.constData(), blob.size(), klartext);
        benchmark::DoNotOptimize(klartext.data());
    }
    state.SetBytesProcessed(state.iterations() * (blob.size() - 12));
}
BENCHMARK(BM_Blob);

// OpenSSL's legacy API, key schedule done.
void BM_OpenSSL_BF_cbc(benchmark::State& state)
{
    const QByteArray key = Key();
    BF_KEY bf;
    BF_set_key(&bf, static_cast<int>(key.size()),
               reinterpret_cast<const unsigned char*>(key.data()));
    const QByteArray ein = Zufall(kMiB, 2);
    QByteArray aus(kMiB, Qt::Uninitialized);
    for (auto _ : state) {
        unsigned char iv[8] = {1, 0, 0, 0, 2, 0, 0, 0};
        BF_cbc_encrypt(reinterpret_cast<const unsigned char*>(ein.constData()),
                       reinterpret_cast<unsigned char*>(aus.data()), ein.size(), &bf, iv,
                       BF_DECRYPT);
        benchmark::DoNotOptimize(aus.data());
    }
    state.SetBytesProcessed(state.iterations() * ein.size());
}
BENCHMARK(BM_OpenSSL_BF_cbc);

// OpenSSL's EVP interface with the legacy provider, one context per megabyte.
void BM_OpenSSL_EVP_bf_cbc(benchmark::State& state)
{
    OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
    OSSL_PROVIDER* standard = OSSL_PROVIDER_load(nullptr, "default");
    EVP_CIPHER* bf = EVP_CIPHER_fetch(nullptr, "BF-CBC", nullptr);
    if (legacy == nullptr || bf == nullptr) {
        state.SkipWithError("BF-CBC not available (legacy provider missing)");
        return;
    }
    const QByteArray key = Key();
    const QByteArray ein = Zufall(kMiB, 2);
    QByteArray aus(kMiB + 8, Qt::Uninitialized);
    const unsigned char iv[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    EVP_DecryptInit_ex2(ctx.get(), bf, nullptr, nullptr, nullptr);
    EVP_CIPHER_CTX_set_key_length(ctx.get(), static_cast<int>(key.size()));
    EVP_DecryptInit_ex2(ctx.get(), nullptr, reinterpret_cast<const unsigned char*>(key.data()), iv,
                        nullptr);
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    for (auto _ : state) {
        EVP_DecryptInit_ex2(ctx.get(), nullptr, nullptr, iv, nullptr);
        int laenge = 0;
        EVP_DecryptUpdate(ctx.get(), reinterpret_cast<unsigned char*>(aus.data()), &laenge,
                          reinterpret_cast<const unsigned char*>(ein.constData()),
                          static_cast<int>(ein.size()));
        benchmark::DoNotOptimize(laenge);
    }
    state.SetBytesProcessed(state.iterations() * ein.size());
    EVP_CIPHER_free(bf);
    OSSL_PROVIDER_unload(standard);
    OSSL_PROVIDER_unload(legacy);
}
BENCHMARK(BM_OpenSSL_EVP_bf_cbc);

// The key schedule, once per file.
void BM_InitKey(benchmark::State& state)
{
    const QByteArray key = Key();
    auto c = std::make_unique<TCrypter>();
    for (auto _ : state) {
        c->InitKey(key);
        benchmark::DoNotOptimize(c->P().data());
    }
}
BENCHMARK(BM_InitKey);

void BM_OpenSSL_BF_set_key(benchmark::State& state)
{
    const QByteArray key = Key();
    BF_KEY bf;
    for (auto _ : state) {
        BF_set_key(&bf, static_cast<int>(key.size()),
                   reinterpret_cast<const unsigned char*>(key.data()));
        benchmark::DoNotOptimize(bf.P);
    }
}
BENCHMARK(BM_OpenSSL_BF_set_key);

} // namespace

BENCHMARK_MAIN();
