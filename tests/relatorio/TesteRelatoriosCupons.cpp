#include "ApoioRelatorio.h"
#include "RelatoriosCupons.h"

#include <gtest/gtest.h>

namespace {

using T = TipoBanda;

const QDate kDe(2024, 5, 1);
const QDate kAte(2024, 5, 31);

TabelaDados tresCupons() {
    return TabelaCupons({
        {"00012345", "MARIA D'ÁVILA", QStringLiteral("0042"), 555, QDateTime(QDate(2024, 5, 2), QTime(9, 15, 30)), "10.5000"},
        {"00067890", "JOSÉ", QVariant(), 556, QDateTime(QDate(2024, 5, 3), QTime(0, 0)), "20.0000"},
        {"00011111", "ANA", QStringLiteral("0007"), 557, QDateTime(QDate(2024, 5, 4), QTime(18, 0, 1)), "0.2500"},
    });
}

TEST(RelatoriosCupons, PeriodoENomeDeArquivo) {
    EXPECT_EQ(TextoPeriodo(kDe, kAte), "Período: 01/05/2024 até 31/05/2024");
    EXPECT_EQ(TextoPeriodo(QDate(2023, 12, 9), QDate(2024, 1, 2)), "Período: 09/12/2023 até 02/01/2024");
    EXPECT_EQ(NomeArquivoRelatorio("Relatório PROMED", kDe, kAte), "Relatório PROMED - 01-05-2024 a 31-05-2024");
}

TEST(RelatoriosCupons, PrepararMostraPeriodoValoresETotal) {
    Relatorio relatorio(ModeloRelPromed());
    PrepararRelatorio(relatorio, kDe, kAte, tresCupons());

    EXPECT_EQ(relatorio.modelo().variaveis.value("periodo"), "'Período: 01/05/2024 até 31/05/2024'");
    const auto r = relatorio.preparado();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->nomeArquivo, "Relatório PROMED - 01-05-2024 a 31-05-2024");
    ASSERT_EQ(r->paginas.size(), 1);
    const PaginaPreparada& pagina = r->paginas[0];
    EXPECT_EQ(TextosDasFaixas(pagina, T::CabecalhoPagina).value(0),
              QStringList({"Relatório PROMED", "Período: 01/05/2024 até 31/05/2024", "Página 1 de 1 "}));
    EXPECT_EQ(TextosDasFaixas(pagina, T::Dados),
              QList<QStringList>({
                  {"00012345", "MARIA D'ÁVILA", "0042", "555", "02/05/2024 09:15:30", "10,50"},
                  {"00067890", "JOSÉ", "", "556", "03/05/2024", "20,00"},  // no branch code: empty cell
                  {"00011111", "ANA", "0007", "557", "04/05/2024 18:00:01", "0,25"},
              }));
    EXPECT_EQ(TextosDasFaixas(pagina, T::Rodape), QList<QStringList>({{"Totalização", "30,75"}}));
}

TEST(RelatoriosCupons, PrepararDesligaOModalEOfereceSoOsComandosDaPrevia) {
    for (ModeloRelatorio modelo : {ModeloRelPromed(), ModeloRelProfarma()}) {
        Relatorio relatorio(modelo);
        PrepararRelatorio(relatorio, kDe, kAte, tresCupons());
        EXPECT_FALSE(relatorio.modelo().previa.modal);
        EXPECT_EQ(relatorio.modelo().previa.botoes, BotaoPrevia::Exportar | BotaoPrevia::Zoom | BotaoPrevia::Localizar |
                                                        BotaoPrevia::Navegar);
    }
}

TEST(RelatoriosCupons, PrepararDeNovoDescartaAsPaginasAnterioresSemMexerNasJaEntregues) {
    Relatorio relatorio(ModeloRelProfarma());
    PrepararRelatorio(relatorio, kDe, kAte, CuponsNumerados(101));
    const auto primeira = relatorio.preparado();
    PrepararRelatorio(relatorio, QDate(2024, 6, 1), QDate(2024, 6, 30), CuponsNumerados(0));
    const auto segunda = relatorio.preparado();

    EXPECT_EQ(primeira->paginas.size(), 3);
    EXPECT_EQ(TextosDasFaixas(primeira->paginas[0], T::CabecalhoPagina)[0][1], "Período: 01/05/2024 até 31/05/2024");
    ASSERT_EQ(segunda->paginas.size(), 1);
    EXPECT_EQ(TextosDasFaixas(segunda->paginas[0], T::CabecalhoPagina)[0],
              QStringList({"Relatório PROFARM", "Período: 01/06/2024 até 30/06/2024", "Página 1 de 1 "}));
    EXPECT_TRUE(TextosDasFaixas(segunda->paginas[0], T::Dados).isEmpty());
}

bool iguais(const ObjetoRelatorio& a, const ObjetoRelatorio& b) {
    return a.tipo == b.tipo && a.caixa == b.caixa && a.conteudo == b.conteudo && a.fonte.alturaPixels == b.fonte.alturaPixels &&
           a.fonte.negrito == b.fonte.negrito && a.alinhamento == b.alinhamento && a.formato == b.formato;
}

// The two templates share one layout; only the title and the page counter's position differ.
TEST(RelatoriosCupons, OsDoisModelosDiferemSoNoTituloENoContador) {
    const ModeloRelatorio promed = ModeloRelPromed();
    const ModeloRelatorio profarm = ModeloRelProfarma();
    const Banda ModeloRelatorio::* bandas[] = {&ModeloRelatorio::cabecalhoPagina, &ModeloRelatorio::cabecalhoColunas,
                                               &ModeloRelatorio::dados, &ModeloRelatorio::rodape};
    QStringList diferencas;
    for (auto banda : bandas) {
        const Banda& a = promed.*banda;
        const Banda& b = profarm.*banda;
        EXPECT_EQ(a.altura, b.altura);
        ASSERT_EQ(a.objetos.size(), b.objetos.size());
        for (int i = 0; i < a.objetos.size(); ++i) {
            if (!iguais(a.objetos[i], b.objetos[i]))
                diferencas << a.objetos[i].conteudo + " / " + b.objetos[i].conteudo;
        }
    }
    EXPECT_EQ(diferencas, QStringList({"Relatório PROMED / Relatório PROFARM",
                                       "Página [Page] de [TotalPages#]  / Página [Page] de [TotalPages#] "}));
    EXPECT_EQ(promed.cabecalhoPagina.objetos[2].caixa.left(), 581.83);
    EXPECT_EQ(profarm.cabecalhoPagina.objetos[2].caixa.left(), 577.49);
}

// The total sits under the value column, right edges aligned, as does its caption.
TEST(RelatoriosCupons, TotalAlinhadoComAColunaDeValor) {
    const ModeloRelatorio m = ModeloRelPromed();
    const double direitaValor = m.dados.objetos.last().caixa.right();
    EXPECT_NEAR(direitaValor, 714.33, 1e-9);
    EXPECT_NEAR(m.rodape.objetos.last().caixa.right(), direitaValor, 1e-9);
    EXPECT_NEAR(m.cabecalhoColunas.objetos.last().caixa.right(), direitaValor, 1e-9);
    for (int i = 0; i < m.dados.objetos.size(); ++i) {
        EXPECT_EQ(m.dados.objetos[i].caixa.left(), m.cabecalhoColunas.objetos[i].caixa.left());
        EXPECT_EQ(m.dados.objetos[i].caixa.width(), m.cabecalhoColunas.objetos[i].caixa.width());
    }
}

}  // namespace
