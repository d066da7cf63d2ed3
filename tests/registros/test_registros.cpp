// The export file's records and the fitting operations, checked field by field against values
// worked out by hand. The receiving side reads by position, so every case compares the whole
// record, not just the field it is about.

#include "UDados.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

using T = TDadosExportacao;

QByteArray espacos(int n) { return QByteArray(n, ' '); }

Money dinheiro(const char* texto) { return Money::deTexto(QString::fromLatin1(texto)); }

QDateTime momento(int ano, int mes, int dia, int hora, int minuto, int segundo = 0) {
    return QDateTime(QDate(ano, mes, dia), QTime(hora, minuto, segundo));
}

std::string mostrar(const QByteArray& b) { return "[" + b.toStdString() + "]"; }

// --- fitting ---

struct CasoAjuste {
    QByteArray texto;
    int largura;
    char pad;
    QByteArray esquerda;
    QByteArray direita;
};

TEST(Ajuste, PadOnTheRightSideAndCutKeepsTheFirstCharacters) {
    const CasoAjuste casos[] = {
        {"42", 5, '0', "00042", "42000"},
        {"abc", 3, ' ', "abc", "abc"},
        {"123456", 4, '0', "1234", "1234"},  // both cut the same way: the leftmost characters stay
        {"", 3, '0', "000", "000"},
        {"", 20, ' ', espacos(20), espacos(20)},
        {"-123", 13, '0', "000000000-123", "-123000000000"},
        {"x", 0, '0', "", ""},
        {"xyz", -2, '0', "", ""},
        {"\xE1\xE7", 4, '*', "**\xE1\xE7", "\xE1\xE7**"},  // Windows-1252 bytes count one each
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(mostrar(c.texto) + " width " + std::to_string(c.largura));
        EXPECT_EQ(T::PreencherEsquerda(c.texto, c.largura, c.pad), c.esquerda);
        EXPECT_EQ(T::PreencherDireita(c.texto, c.largura, c.pad), c.direita);
    }
}

TEST(Ajuste, RepeatAndChoose) {
    EXPECT_EQ(T::RepetirCaractere('0', 3), "000");
    EXPECT_EQ(T::RepetirCaractere(' ', 1), " ");
    EXPECT_EQ(T::RepetirCaractere('0', 0), "");
    EXPECT_EQ(T::RepetirCaractere('0', -4), "");
    EXPECT_EQ(T::Iif(true, "S", "N"), "S");
    EXPECT_EQ(T::Iif(false, "S", "N"), "N");
}

// --- H record ---

struct CasoHeader {
    const char* nome;
    QByteArray cnpj;
    QByteArray razao;
    QDateTime quando;
    QByteArray esperado;
};

TEST(RegistroHeader, Fields) {
    const CasoHeader casos[] = {
        {"punctuated CNPJ and a short name", "12.345.678/0001-90", "Farm\xE1" "cia Quelvar", momento(2024, 3, 5, 9, 7),
         "H050320240907" "12345678000190" "Farm\xE1" "cia Quelvar" + espacos(19) + "002"},
        {"empty CNPJ and name", "", "", momento(1999, 12, 31, 23, 59, 59),
         "H311219992359" "00000000000000" + espacos(35) + "002"},
        {"more than 14 digits, name of 40", "1234567890123456", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD",
         momento(2024, 1, 1, 0, 0), "H010120240000" "12345678901234" "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678" "002"},
        {"few digits among letters", "CNPJ 12.345-678", "Matriz", momento(2024, 10, 20, 13, 45),
         "H201020241345" "00000012345678" "Matriz" + espacos(29) + "002"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray r = T::RegistroHeader(c.cnpj, c.razao, c.quando);
        EXPECT_EQ(r, c.esperado) << mostrar(r);
        EXPECT_EQ(r.size(), 65);
    }
}

// --- C record ---

struct CasoCupom {
    const char* nome;
    QByteArray codigo;
    bool receita;
    QByteArray chapa;
    int documento;
    QDateTime datahora;
    Money total;
    QByteArray esperado;
};

TEST(RegistroCupom, Fields) {
    const CasoCupom casos[] = {
        {"branch without code, letters kept in the registration", "", false, "ABC", 0, momento(2024, 3, 5, 10, 0),
         dinheiro("150.00"), "C" "0000" "N" "0000000000000ABC" "0000000" "05032024" "0000000015000"},
        {"short code, punctuated registration, half a cent", "7", true, "12.345-6", 1234567,
         momento(2024, 12, 31, 23, 59, 59), dinheiro("0.005"),
         "C" "0007" "S" "0000000012.345-6" "1234567" "31122024" "0000000000000"},
        {"everything too long", "12345", true, "ABCDEFGHIJKLMNOPQRST", 12345678, momento(2024, 2, 29, 0, 0),
         dinheiro("123456789012345.67"), "C" "1234" "S" "ABCDEFGHIJKLMNOP" "1234567" "29022024" "1234567890123"},
        {"cents truncated, not rounded", "0012", false, "", 42, momento(2023, 7, 1, 8, 30), dinheiro("12.345"),
         "C" "0012" "N" "0000000000000000" "0000042" "01072023" "0000000001234"},
        {"just under a cent", "0001", false, "9", 1, momento(2023, 7, 1, 8, 30), dinheiro("0.999"),
         "C" "0001" "N" "0000000000000009" "0000001" "01072023" "0000000000099"},
        {"negatives are padded in front of the sign", "0001", false, "1", -5, momento(2023, 7, 1, 8, 30),
         dinheiro("-1.239"), "C" "0001" "N" "0000000000000001" "00000-5" "01072023" "000000000-123"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray r = T::RegistroCupom(c.codigo, c.receita, c.chapa, c.documento, c.datahora, c.total);
        EXPECT_EQ(r, c.esperado) << mostrar(r);
        EXPECT_EQ(r.size(), 50);
    }
}

// --- I record ---

struct CasoItem {
    const char* nome;
    QByteArray classe;
    int produto;
    QByteArray barras;
    QByteArray descricao;
    int quantidade;
    Money valor;
    QByteArray crm;
    QByteArray esperado;
};

TEST(RegistroItem, Fields) {
    const QByteArray fim = espacos(20);
    const CasoItem casos[] = {
        {"plain item", "MED", 42, "789", "DIPIRONA 500MG", 2, dinheiro("3.5"), "12345",
         "I" "M" "0000000042" "000000000000000789" "DIPIRONA 500MG" + espacos(26) + "00002" "0000000000350"
         "000000012345" + fim},
        {"everything too long", "GEN", 2147483647, "12345678901234567890",
         "Pomada cicatrizante com a\xE7\xE3o prolongada 30g", 123456, dinheiro("99999999999.9999"), "CRM-SP 1234567",
         "I" "G" "2147483647" "123456789012345678" "Pomada cicatrizante com a\xE7\xE3o prolongada " "12345"
         "9999999999999" "CRM-SP 12345" + fim},
        {"no class, no bar code, no prescriber", "", 7, "", "", 0, Money(),  "",
         "I" "O" "0000000007" "000000000000000000" + espacos(40) + "00000" "0000000000000" "000000000000" + fim},
        {"blank class", "   ", 1, "1", "X", 1, dinheiro("0.01"), "1",
         "I" "O" "0000000001" "000000000000000001" "X" + espacos(39) + "00001" "0000000000001" "000000000001" + fim},
        {"control characters count as blank", "\t\r", 1, "1", "X", 1, dinheiro("0.01"), "1",
         "I" "O" "0000000001" "000000000000000001" "X" + espacos(39) + "00001" "0000000000001" "000000000001" + fim},
        {"class read with a leading blank", " X", 1, "1", "X", 1, dinheiro("0.01"), "1",
         "I" " " "0000000001" "000000000000000001" "X" + espacos(39) + "00001" "0000000000001" "000000000001" + fim},
        {"lower-case class kept as read", "perfumaria", 1, "1", "X", 1, dinheiro("0.01"), "1",
         "I" "p" "0000000001" "000000000000000001" "X" + espacos(39) + "00001" "0000000000001" "000000000001" + fim},
        {"negative numbers", "MED", -42, "789", "DEVOLVIDO", -3, dinheiro("-1.23"), "0",
         "I" "M" "0000000-42" "000000000000000789" "DEVOLVIDO" + espacos(31) + "000-3" "000000000-123"
         "000000000000" + fim},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray r = T::RegistroItem(c.classe, c.produto, c.barras, c.descricao, c.quantidade, c.valor, c.crm);
        EXPECT_EQ(r, c.esperado) << mostrar(r);
        EXPECT_EQ(r.size(), 120);
    }
}

// --- T record ---

struct CasoTrailer {
    const char* nome;
    int itens;
    int cupons;
    Money totalItens;
    Money totalCupons;
    QByteArray esperado;
};

TEST(RegistroTrailer, ItemCountFirstEachFollowedByItsTotal) {
    const CasoTrailer casos[] = {
        {"empty run", 0, 0, Money(), Money(), "T" + QByteArray(38, '0')},
        {"counts and totals", 3, 2, dinheiro("150.75"), dinheiro("150.75"),
         "T" "000003" "0000000015075" "000002" "0000000015075"},
        {"each total in its own place", 1, 9, dinheiro("1.00"), dinheiro("2.009"),
         "T" "000001" "0000000000100" "000009" "0000000000200"},
        {"counts beyond six digits", 1234567, 7654321, dinheiro("-0.5"), dinheiro("0"),
         "T" "123456" "0000000000-50" "765432" "0000000000000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray r = T::RegistroTrailer(c.itens, c.cupons, c.totalItens, c.totalCupons);
        EXPECT_EQ(r, c.esperado) << mostrar(r);
        EXPECT_EQ(r.size(), 39);
    }
}

// Whatever goes in, each record keeps its width: the extremes of every argument together.
TEST(Registros, WidthsHoldForExtremeInputs) {
    const QByteArray textos[] = {"", " ", QByteArray(300, 'x'), "\xFF\x80\x81"};
    const int inteiros[] = {0, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    const Money valores[] = {Money(), Money::deEscalado(-1), Money::deEscalado(std::numeric_limits<qint64>::max()),
                             Money::deEscalado(std::numeric_limits<qint64>::min())};
    const QDateTime datas[] = {QDateTime(), momento(1, 1, 1, 0, 0), momento(9999, 12, 31, 23, 59, 59)};
    for (const auto& t : textos) {
        for (int i : inteiros) {
            for (Money m : valores) {
                for (const auto& d : datas) {
                    SCOPED_TRACE(mostrar(t.left(10)) + " " + std::to_string(i) + " " + std::to_string(m.escalado()) +
                                 " " + d.toString(Qt::ISODate).toStdString());
                    EXPECT_EQ(T::RegistroHeader(t, t, d).size(), 65);
                    EXPECT_EQ(T::RegistroCupom(t, i % 2 == 0, t, i, d, m).size(), 50);
                    EXPECT_EQ(T::RegistroItem(t, i, t, t, i, m, t).size(), 120);
                    EXPECT_EQ(T::RegistroTrailer(i, i, m, m).size(), 39);
                }
            }
        }
    }
}

}  // namespace

int main(int c, char** v) {
    QCoreApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
