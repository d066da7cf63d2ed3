#include "ValidacaoDocumento.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

struct Caso {
    const char* texto;
    bool valido;
    const char* porque;
};

// Check digits here were worked out by hand with the weights 5..2,9..2 and 6..2,9..2 (modulus 11)
// and the Luhn rule over the first seven of eight digits.
const Caso casos[] = {
    {"12.345.678/0001-95", true, "punctuated CNPJ"},
    {"12345678000195", true, "bare CNPJ"},
    {"CNPJ 12.345.678/0001-95 matriz", true, "text around the digits"},
    {"a1b2c3456780001x9y5", true, "letters between the digits"},
    {"12345678000194", false, "last check digit changed"},
    {"12345678000185", false, "first check digit changed"},
    {"12345678000196", false, "last check digit one too high"},
    {"71463086871600", true, "both remainders 1 give check digits 0"},
    {"00806360837700", true, "both remainders 0 give check digits 0"},
    {"11070434192580", true, "second remainder 1"},
    {"71463086871610", false, "check digit 1 where a remainder of 1 asks for 0"},
    {"12345674", true, "eight digits, Luhn check digit 4"},
    {"12345670", false, "eight digits, wrong check digit"},
    {"12.345.67-4", true, "punctuated eight digits"},
    {"10481000", true, "eight digits whose sum is a multiple of 10: check digit 0"},
    {"00000018", true, "leading zeros but a value above 0"},
    {"00000000", false, "eight zeros: value 0, then refused for its length"},
    {"11111111", false, "eight ones: not blocked, wrong check digit"},
    {"", false, "empty"},
    {"abc./-", false, "no digits"},
    {"1234567", false, "seven digits"},
    {"123456740", false, "nine digits"},
    {"12345678001", false, "eleven digits"},
    {"1234567800019", false, "thirteen digits"},
    {"123456780001955", false, "fifteen digits"},
    {"012345678000195", false, "a leading zero makes fifteen digits"},
};

TEST(ValidarDocumento, JulgaCadaFormaDeNumero) {
    for (const Caso& caso : casos)
        EXPECT_EQ(ValidarDocumento(QString::fromUtf8(caso.texto)), caso.valido) << caso.porque << ": " << caso.texto;
}

TEST(ValidarDocumento, RecusaOsDezValoresDeUmSoDigito) {
    for (char c = '0'; c <= '9'; ++c) {
        const QString repetido(14, QLatin1Char(c));
        EXPECT_TRUE(DocumentoBloqueado(repetido)) << repetido.toStdString();
        EXPECT_FALSE(ValidarDocumento(repetido)) << repetido.toStdString();
        // Punctuation does not get a blocked value past the list.
        const QString pontuado = repetido.left(2) + "." + repetido.mid(2, 3) + "." + repetido.mid(5, 3) + "/" +
                                 repetido.mid(8, 4) + "-" + repetido.right(2);
        EXPECT_FALSE(ValidarDocumento(pontuado)) << pontuado.toStdString();
    }
}

TEST(DocumentosBloqueados, DezEntradasDeQuatorzeDigitosEmOrdem) {
    const QStringList& lista = DocumentosBloqueados();
    ASSERT_EQ(lista.size(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(lista[i], QString(14, QChar('0' + i)));
}

TEST(DocumentoBloqueado, SoOValorInteiroDeQuatorzeCaracteres) {
    for (const char* texto : {"0000000000000", "000000000000000", "11111111", "11111111111112", " 11111111111111",
                              "", "12345678000195"})
        EXPECT_FALSE(DocumentoBloqueado(QString::fromLatin1(texto))) << texto;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
