#include "ApoioRelatorio.h"
#include "Erro.h"
#include "Expressao.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

struct CasoValor {
    QVariant valor;
    const char* formato;
    const char* esperado;
};

TEST(TextoDoValor, MostraCadaTipoComoORelatorio) {
    const CasoValor casos[] = {
        {QStringLiteral("10.5000"), "%2.2f", "10,50"},
        {QStringLiteral("20"), "%2.2f", "20,00"},
        {QStringLiteral("0.25"), "%2.2f", "0,25"},
        {QStringLiteral("1234567.8900"), "%2.2f", "1234567,89"},  // no thousands separator
        {QStringLiteral("0.125"), "%2.2f", "0,13"},               // half away from zero
        {QStringLiteral("-1.005"), "%2.2f", "-1,01"},
        {QStringLiteral("5"), "%8.2f", "    5,00"},               // the width pads on the left
        {20, "%2.2f", "20,00"},
        {0.1 + 0.2, "%2.2f", "0,30"},  // a double from a driver without high precision
        {QVariant(), "%2.2f", ""},     // null shows nothing, not 0,00
        {QDateTime(QDate(2024, 5, 1), QTime(14, 30, 5)), "", "01/05/2024 14:30:05"},
        {QDateTime(QDate(2024, 5, 31), QTime(0, 0)), "", "31/05/2024"},  // midnight: no time
        {QDateTime(QDate(2024, 5, 31), QTime(0, 0, 1)), "", "31/05/2024 00:00:01"},
        {QDate(2024, 2, 29), "", "29/02/2024"},
        {123456, "", "123456"},
        {QStringLiteral("0012"), "", "0012"},
        {10.5, "", "10,5"},
        {QVariant(QMetaType(QMetaType::QString)), "", ""},
    };
    for (const CasoValor& c : casos) {
        EXPECT_EQ(TextoDoValor(c.valor, QString::fromLatin1(c.formato)), QString::fromUtf8(c.esperado))
            << c.valor.toString().toStdString() << " with '" << c.formato << "'";
    }
}

TEST(TextoDoValor, RecusaFormatoDesconhecidoEValorQueNaoENumero) {
    EXPECT_THROW(TextoDoValor(QStringLiteral("1"), QStringLiteral("#,##0.00")), Erro);
    EXPECT_THROW(TextoDoValor(QStringLiteral("abc"), QStringLiteral("%2.2f")), Erro);
}

TEST(LiteralTexto, DobraAsAspasEAvaliaDeVoltaAoMesmoTexto) {
    const char* textos[] = {"Período: 01/05/2024 até 31/05/2024", "D'Ávila", "''", "", "[Page]", "a ] b"};
    for (const char* t : textos) {
        const QString texto = QString::fromUtf8(t);
        const QString literal = LiteralTexto(texto);
        EXPECT_TRUE(literal.startsWith(u'\'') && literal.endsWith(u'\''));
        EXPECT_EQ(literal.count(u'\''), texto.count(u'\'') * 2 + 2);
        ContextoExpressao contexto;
        EXPECT_EQ(AvaliarExpressao(literal, contexto).toString(), texto) << t;
    }
    EXPECT_EQ(LiteralTexto(QStringLiteral("D'Ávila")), QStringLiteral("'D''Ávila'"));
}

class Conteudo : public ::testing::Test {
protected:
    Conteudo() {
        dados = TabelaCupons({
            {"1", "ANA", QStringLiteral("0001"), 11, QDateTime(QDate(2024, 5, 1), QTime(9, 0)), "10.5"},
            {"2", "BIA", QVariant(), 12, QDateTime(QDate(2024, 5, 2), QTime(9, 0)), "20"},
            {"3", "CAU", QStringLiteral("0003"), 13, QDateTime(QDate(2024, 5, 3), QTime(9, 0)), "0.25"},
        });
        variaveis.insert("periodo", "'Período: x'");
        variaveis.insert("vazio", "");
        variaveis.insert("outro", "periodo");
        variaveis.insert("ciclo", "ciclo");
        contexto.dados = &dados;
        contexto.nomeDados = "dataSetRel";
        contexto.variaveis = &variaveis;
        contexto.pagina = 2;
        contexto.totalPaginas = 5;
    }
    TextoAvaliado avaliar(const QString& conteudo, int linha = -1, const QString& formato = {}) {
        contexto.linha = linha;
        contexto.usouPagina = false;
        return AvaliarConteudo(conteudo, formato, contexto);
    }

    TabelaDados dados;
    QMap<QString, QString> variaveis;
    ContextoExpressao contexto;
};

TEST_F(Conteudo, SubstituiCadaExpressaoEntreColchetes) {
    struct Caso {
        const char* conteudo;
        int linha;
        const char* formato;
        const char* texto;
        bool temValor;
        bool usouPagina;
    };
    const Caso casos[] = {
        {"Página [Page] de [TotalPages#] ", -1, "", "Página 2 de 5 ", false, true},
        {"[dataSetRel.\"nome_beneficiario\"]", 1, "", "BIA", true, false},
        {"[DATASETREL.\"NOME_BENEFICIARIO\"]", 2, "", "CAU", true, false},  // names ignore case
        {"[dataSetRel.\"codigo_quelvar\"]", 1, "", "", false, false},       // null code: empty
        {"[dataSetRel.\"total_cupom\"]", 0, "%2.2f", "10,50", true, false},
        {"[SUM(<dataSetRel.\"total_cupom\">,0,0)]", 2, "%2.2f", "30,75", true, false},
        {"[SUM(<dataSetRel.\"total_cupom\">)]", -1, "%2.2f", "30,75", true, false},
        {"Total: [SUM(<dataSetRel.\"total_cupom\">,0,0)]", -1, "%2.2f", "Total: 30,75", false, false},
        {"[periodo]", -1, "", "Período: x", true, false},
        {"[outro]", -1, "", "Período: x", true, false},
        {"[vazio]", -1, "", "", false, false},
        {"[dataSetRel.\"chapa_cliente\"]", -1, "", "", false, false},  // outside the data band
        {"Totalização", -1, "", "Totalização", false, false},
        {"[ 'a]b' ]", -1, "", "a]b", true, false},
    };
    for (const Caso& c : casos) {
        const TextoAvaliado r = avaliar(QString::fromUtf8(c.conteudo), c.linha, QString::fromLatin1(c.formato));
        EXPECT_EQ(r.texto, QString::fromUtf8(c.texto)) << c.conteudo;
        EXPECT_EQ(r.valor.isValid() && !r.valor.isNull(), c.temValor) << c.conteudo;
        EXPECT_EQ(contexto.usouPagina, c.usouPagina) << c.conteudo;
    }
}

TEST_F(Conteudo, SomaEExataEGuardaOValorParaAsExportacoes) {
    const TextoAvaliado r = avaliar("[SUM(<dataSetRel.\"total_cupom\">,0,0)]", -1, "%2.2f");
    EXPECT_EQ(r.valor.toString(), "30.7500");
}

TEST_F(Conteudo, ErrosDoModeloSaoRelatadosComOTextoDaExpressao) {
    const char* invalidos[] = {
        "[dataSetRel.\"inexistente\"]", "[outroDataSet.\"total_cupom\"]", "[SUM(<dataSetRel.\"inexistente\">,0,0)]",
        "[naoDeclarada]", "[ciclo]", "[Página sem fim", "['aberto]", "['a'b']",
    };
    for (const char* conteudo : invalidos) {
        try {
            avaliar(QString::fromUtf8(conteudo), 0);
            ADD_FAILURE() << "no error for " << conteudo;
        } catch (const Erro& e) {
            EXPECT_FALSE(e.texto().isEmpty());
        }
    }
}

}  // namespace
