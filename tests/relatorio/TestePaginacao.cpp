#include "ApoioRelatorio.h"
#include "RelatoriosCupons.h"

#include <gtest/gtest.h>

namespace {

using T = TipoBanda;

int contar(const PaginaPreparada& pagina, TipoBanda tipo) {
    const QList<TipoBanda> tipos = TiposDasFaixas(pagina);
    return int(std::count(tipos.begin(), tipos.end(), tipo));
}

// An A4 page less 10 mm margins leaves 1046.93 units; the headers take 90.71, so 50 rows of
// 18.90 fit, and the 30.24 footer fits after at most 48 of them.
TEST(Paginacao, LinhasPorPaginaERodapeNoFim) {
    struct Caso {
        int linhas;
        QList<int> linhasPorPagina;
    };
    const Caso casos[] = {
        {1, {1}},
        {48, {48}},
        {49, {49, 0}},  // the footer alone on a new page, under its headers
        {50, {50, 0}},
        {51, {50, 1}},
        {101, {50, 50, 1}},
        {148, {50, 50, 48}},
        {149, {50, 50, 49, 0}},
    };
    for (const Caso& c : casos) {
        const RelatorioPreparado r = PrepararPaginas(ModeloRelPromed(), CuponsNumerados(c.linhas), {});
        ASSERT_EQ(r.paginas.size(), c.linhasPorPagina.size()) << c.linhas << " rows";
        int primeiraLinha = 1;
        for (int p = 0; p < r.paginas.size(); ++p) {
            const PaginaPreparada& pagina = r.paginas[p];
            const QList<TipoBanda> tipos = TiposDasFaixas(pagina);
            ASSERT_GE(tipos.size(), 2);
            EXPECT_EQ(tipos[0], T::CabecalhoPagina);
            EXPECT_EQ(tipos[1], T::CabecalhoColunas);
            EXPECT_EQ(contar(pagina, T::Dados), c.linhasPorPagina[p]) << c.linhas << " rows, page " << p + 1;
            const bool ultima = p + 1 == r.paginas.size();
            EXPECT_EQ(contar(pagina, T::Rodape), ultima ? 1 : 0);
            if (ultima)
                EXPECT_EQ(tipos.last(), T::Rodape);

            // Rows go on in order from page to page and stay inside the printable area.
            const QList<QStringList> dados = TextosDasFaixas(pagina, T::Dados);
            for (int i = 0; i < dados.size(); ++i)
                EXPECT_EQ(dados[i][0].toInt(), primeiraLinha + i);
            primeiraLinha += int(dados.size());
            const FaixaPagina& fim = pagina.faixas.last();
            EXPECT_LE(fim.topo + fim.altura, (297 - 10) * kUnidadesPorMm + 1e-6);
        }
        EXPECT_EQ(primeiraLinha, c.linhas + 1);
    }
}

TEST(Paginacao, TresPaginasRepetemOsCabecalhosEContamAsPaginas) {
    const RelatorioPreparado r = PrepararPaginas(ModeloRelPromed(), CuponsNumerados(101), {});
    ASSERT_EQ(r.paginas.size(), 3);
    for (int p = 0; p < 3; ++p) {
        const QStringList cabecalho = TextosDasFaixas(r.paginas[p], T::CabecalhoPagina).value(0);
        ASSERT_EQ(cabecalho.size(), 3);
        EXPECT_EQ(cabecalho[0], "Relatório PROMED");
        EXPECT_EQ(cabecalho[2], QStringLiteral("Página %1 de 3 ").arg(p + 1));
        EXPECT_EQ(TextosDasFaixas(r.paginas[p], T::CabecalhoColunas).value(0),
                  QStringList({"Matrícula beneficiário", "Nome beneficiário", "Filial farmácia", "Número documento fiscal",
                               "Data compra", "Valor compra"}));
    }
    EXPECT_EQ(TextosDasFaixas(r.paginas[2], T::Rodape).value(0), QStringList({"Totalização", "126,25"}));
}

TEST(Paginacao, SemLinhasUmaPaginaSoComOsCabecalhos) {
    const RelatorioPreparado r = PrepararPaginas(ModeloRelPromed(), CuponsNumerados(0), {});
    ASSERT_EQ(r.paginas.size(), 1);
    EXPECT_EQ(TiposDasFaixas(r.paginas[0]), QList<TipoBanda>({T::CabecalhoPagina, T::CabecalhoColunas}));
    EXPECT_EQ(TextosDasFaixas(r.paginas[0], T::CabecalhoPagina).value(0).value(2), "Página 1 de 1 ");
}

TEST(Paginacao, BandasSeguemUmaAbaixoDaOutraDentroDaMargem) {
    const RelatorioPreparado r = PrepararPaginas(ModeloRelPromed(), CuponsNumerados(3), {});
    const double margem = 10 * kUnidadesPorMm;
    double y = margem;
    for (const FaixaPagina& faixa : r.paginas[0].faixas) {
        EXPECT_NEAR(faixa.topo, y, 1e-9);
        for (const ItemPagina& item : faixa.itens) {
            EXPECT_GE(item.caixa.top(), faixa.topo);
            EXPECT_GE(item.caixa.left(), margem);
        }
        y += faixa.altura;
    }
    EXPECT_NEAR(y - margem, 60.47 + 30.24 + 3 * 18.90 + 30.24, 1e-9);
}

// A band taller than the page must not open pages for ever.
TEST(Paginacao, BandaMaiorQueAPaginaNaoTravaAPreparacao) {
    ModeloRelatorio modelo = ModeloRelPromed();
    modelo.dados.altura = 2000;
    const RelatorioPreparado r = PrepararPaginas(modelo, CuponsNumerados(3), {});
    EXPECT_EQ(r.paginas.size(), 4);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(contar(r.paginas[p], T::Dados), 1);
}

}  // namespace
