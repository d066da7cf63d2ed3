#include "Cp1252.h"

#include <array>

namespace cp1252 {

namespace {

// The only bytes where the code page differs from Latin-1. The five undefined bytes keep the C1
// control of their own value, so decoding never loses a byte.
constexpr std::array<char16_t, 32> kAlto80a9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char codificarUm(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kAlto80a9F.size(); ++i) {
        if (kAlto80a9F[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QByteArray codificar(QStringView texto) {
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        // A character outside the BMP is one character to the reader: one '?' for the pair.
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;
        bytes.append(codificarUm(c.unicode()));
    }
    return bytes;
}

QString decodificar(QByteArrayView bytes) {
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar* destino = texto.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        destino->unicode() = (u >= 0x80 && u <= 0x9F) ? kAlto80a9F[u - 0x80] : char16_t(u);
        ++destino;
    }
    return texto;
}

}  // namespace cp1252
