#include "Grade.h"

#include <algorithm>

namespace {

// A text belongs to every column it covers by at least a third of the narrower of the two, so
// a centred title spans the columns under it but not one it merely touches.
std::pair<int, int> colunasDoItem(const QRectF& caixa, const QList<ColunaRelatorio>& colunas) {
    int primeira = -1;
    int ultima = -1;
    int maisProxima = 0;
    double maiorSobreposicao = -1e300;
    for (int i = 0; i < colunas.size(); ++i) {
        const ColunaRelatorio& c = colunas[i];
        const double sobreposicao =
            std::min(caixa.right(), c.esquerda + c.largura) - std::max(caixa.left(), c.esquerda);
        if (sobreposicao > maiorSobreposicao) {
            maiorSobreposicao = sobreposicao;
            maisProxima = i;
        }
        if (sobreposicao > 0 && sobreposicao >= std::min(c.largura, caixa.width()) / 3) {
            if (primeira < 0)
                primeira = i;
            ultima = i;
        }
    }
    if (primeira < 0)
        return {maisProxima, maisProxima};
    return {primeira, ultima};
}

bool livre(const LinhaGrade& linha, int primeira, int ultima) {
    return std::none_of(linha.celulas.begin(), linha.celulas.end(),
                        [&](const CelulaGrade& c) { return c.primeira <= ultima && primeira <= c.ultima; });
}

struct LinhaEmMontagem {
    double topo;
    double base;
    LinhaGrade linha;
};

QList<LinhaGrade> linhasDaFaixa(const FaixaPagina& faixa, const QList<ColunaRelatorio>& colunas) {
    QList<ItemPagina> textos;
    QList<double> regras;
    for (const ItemPagina& item : faixa.itens) {
        if (item.tipo == ObjetoRelatorio::Tipo::Regra)
            regras.append(item.caixa.top());
        else
            textos.append(item);
    }
    std::stable_sort(textos.begin(), textos.end(),
                     [](const ItemPagina& a, const ItemPagina& b) { return a.caixa.top() < b.caixa.top(); });

    // Texts that overlap vertically share a row, unless they would share a cell.
    QList<LinhaEmMontagem> linhas;
    for (const ItemPagina& item : textos) {
        const auto [primeira, ultima] = colunasDoItem(item.caixa, colunas);
        if (linhas.isEmpty() || item.caixa.top() >= linhas.last().base ||
            !livre(linhas.last().linha, primeira, ultima)) {
            linhas.append({item.caixa.top(), item.caixa.bottom(), LinhaGrade{faixa.tipo, 0, false, false, {}}});
        }
        LinhaEmMontagem& atual = linhas.last();
        atual.base = std::max(atual.base, item.caixa.bottom());
        atual.linha.celulas.append({primeira, ultima, item});
    }
    if (linhas.isEmpty())
        return {};

    for (double y : regras) {
        auto abaixo = std::find_if(linhas.begin(), linhas.end(), [y](const LinhaEmMontagem& l) { return l.topo >= y; });
        if (abaixo != linhas.end())
            abaixo->linha.regraAcima = true;
        else
            linhas.last().linha.regraAbaixo = true;
    }

    QList<LinhaGrade> resultado;
    for (LinhaEmMontagem& l : linhas) {
        l.linha.altura = l.base - l.topo;
        std::sort(l.linha.celulas.begin(), l.linha.celulas.end(),
                  [](const CelulaGrade& a, const CelulaGrade& b) { return a.primeira < b.primeira; });
        resultado.append(std::move(l.linha));
    }
    return resultado;
}

}  // namespace

Grade MontarGrade(const RelatorioPreparado& relatorio) {
    QList<ColunaRelatorio> colunas = relatorio.colunas;
    if (colunas.isEmpty()) {
        const double margem = relatorio.margemMm * kUnidadesPorMm;
        colunas.append({margem, relatorio.tamanhoPagina().width() - 2 * margem});
    }

    Grade grade;
    for (int i = 0; i < colunas.size(); ++i) {
        const bool ultima = i + 1 == colunas.size();
        grade.larguras.append(ultima ? colunas[i].largura : colunas[i + 1].esquerda - colunas[i].esquerda);
    }
    for (const PaginaPreparada& pagina : relatorio.paginas) {
        QList<LinhaGrade> linhas;
        for (const FaixaPagina& faixa : pagina.faixas)
            linhas.append(linhasDaFaixa(faixa, colunas));
        grade.paginas.append(std::move(linhas));
    }
    return grade;
}
