#include "Relatorio.h"

#include "Expressao.h"
#include "TabelaDados.h"

#include <algorithm>

namespace {

// Band heights are decimals of a unit; a sum that equals the page must still fit.
constexpr double kFolga = 1e-6;

struct Colocacao {
    const Banda* banda;
    TipoBanda tipo;
    int linha;
    double topo;  // within the printable area
};

using Diagramacao = QList<QList<Colocacao>>;

Diagramacao diagramar(const ModeloRelatorio& modelo, int linhas) {
    const double alturaUtil = (modelo.papelMm.height() - 2 * modelo.margemMm) * kUnidadesPorMm;
    Diagramacao paginas;
    double y = 0;
    auto colocar = [&](const Banda& banda, TipoBanda tipo, int linha) {
        if (banda.vazia())
            return;
        paginas.last().append(Colocacao{&banda, tipo, linha, y});
        y += banda.altura;
    };
    double inicioConteudo = 0;
    auto novaPagina = [&] {
        paginas.append(QList<Colocacao>());
        y = 0;
        colocar(modelo.cabecalhoPagina, TipoBanda::CabecalhoPagina, -1);
        colocar(modelo.cabecalhoColunas, TipoBanda::CabecalhoColunas, -1);
        inicioConteudo = y;
    };
    // A band taller than what is left goes to a new page; one taller than a whole page is
    // printed anyway and clipped by the paper, rather than opening new pages for ever.
    auto garantirEspaco = [&](const Banda& banda) {
        if (y + banda.altura > alturaUtil + kFolga && y > inicioConteudo)
            novaPagina();
    };

    novaPagina();
    for (int linha = 0; linha < linhas; ++linha) {
        garantirEspaco(modelo.dados);
        colocar(modelo.dados, TipoBanda::Dados, linha);
    }
    if (linhas > 0 && !modelo.rodape.vazia()) {
        garantirEspaco(modelo.rodape);
        colocar(modelo.rodape, TipoBanda::Rodape, linhas - 1);
    }
    return paginas;
}

ItemPagina preencher(const ObjetoRelatorio& objeto, QPointF origem, ContextoExpressao& contexto) {
    ItemPagina item;
    item.tipo = objeto.tipo;
    item.caixa = objeto.caixa.translated(origem);
    item.fonte = objeto.fonte;
    item.alinhamento = objeto.alinhamento;
    item.formato = objeto.formato;
    if (objeto.tipo == ObjetoRelatorio::Tipo::Texto) {
        contexto.usouPagina = false;
        TextoAvaliado t = AvaliarConteudo(objeto.conteudo, objeto.formato, contexto);
        item.texto = std::move(t.texto);
        item.valor = std::move(t.valor);
        item.dependePagina = contexto.usouPagina;
    }
    return item;
}

QList<ColunaRelatorio> colunasDosDados(const ModeloRelatorio& modelo, double margem) {
    QList<ColunaRelatorio> colunas;
    for (const ObjetoRelatorio& o : modelo.dados.objetos) {
        if (o.tipo == ObjetoRelatorio::Tipo::Texto)
            colunas.append({margem + o.caixa.left(), o.caixa.width()});
    }
    std::sort(colunas.begin(), colunas.end(),
              [](const ColunaRelatorio& a, const ColunaRelatorio& b) { return a.esquerda < b.esquerda; });
    return colunas;
}

}  // namespace

RelatorioPreparado PrepararPaginas(const ModeloRelatorio& modelo, const TabelaDados& dados,
                                   const QString& nomeArquivo) {
    const Diagramacao diagramacao = diagramar(modelo, dados.quantidadeLinhas());
    const double margem = modelo.margemMm * kUnidadesPorMm;

    RelatorioPreparado r;
    r.titulo = modelo.titulo;
    r.nomeArquivo = nomeArquivo.isEmpty() ? modelo.titulo : nomeArquivo;
    r.papelMm = modelo.papelMm;
    r.margemMm = modelo.margemMm;
    r.colunas = colunasDosDados(modelo, margem);

    ContextoExpressao contexto;
    contexto.dados = &dados;
    contexto.nomeDados = modelo.nomeDados;
    contexto.variaveis = &modelo.variaveis;
    contexto.totalPaginas = int(diagramacao.size());
    for (int p = 0; p < diagramacao.size(); ++p) {
        contexto.pagina = p + 1;
        PaginaPreparada pagina;
        for (const Colocacao& c : diagramacao[p]) {
            contexto.linha = c.linha;
            FaixaPagina faixa{c.tipo, margem + c.topo, c.banda->altura, {}};
            for (const ObjetoRelatorio& objeto : c.banda->objetos)
                faixa.itens.append(preencher(objeto, QPointF(margem, faixa.topo), contexto));
            pagina.faixas.append(std::move(faixa));
        }
        r.paginas.append(std::move(pagina));
    }
    return r;
}

Relatorio::Relatorio(ModeloRelatorio modelo) : m_modelo(std::move(modelo)) {}

Relatorio::~Relatorio() { delete m_janela.data(); }

void Relatorio::Preparar(const TabelaDados& dados, const QString& nomeArquivo) {
    m_preparado.reset();
    m_preparado = std::make_shared<const RelatorioPreparado>(PrepararPaginas(m_modelo, dados, nomeArquivo));
}
