#pragma once

#include "ModeloRelatorio.h"

#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <memory>

class TabelaDados;

enum class TipoBanda { CabecalhoPagina, CabecalhoColunas, Dados, Rodape };

// One object of a prepared page, with its text already filled in.
struct ItemPagina {
    ObjetoRelatorio::Tipo tipo = ObjetoRelatorio::Tipo::Texto;
    QRectF caixa;  // in report units from the paper's top-left corner
    QString texto;
    FonteRelatorio fonte;
    Qt::Alignment alinhamento;
    // The value behind a text that is exactly one expression, so exports can keep numbers and
    // dates as such; formato is the display format it was shown with.
    QVariant valor;
    QString formato;
    // Page numbers: such a text is true only on the page it was printed on.
    bool dependePagina = false;
};

// One printed band.
struct FaixaPagina {
    TipoBanda tipo = TipoBanda::Dados;
    double topo = 0;  // from the paper's top edge
    double altura = 0;
    QList<ItemPagina> itens;
};

struct PaginaPreparada {
    QList<FaixaPagina> faixas;
};

// The columns of the data band, which tabular exports lay every band out on.
struct ColunaRelatorio {
    double esquerda = 0;
    double largura = 0;
};

struct RelatorioPreparado {
    QString titulo;
    // Proposed base name (no extension) for an exported file.
    QString nomeArquivo;
    QSizeF papelMm;
    double margemMm = 0;
    QList<ColunaRelatorio> colunas;
    QList<PaginaPreparada> paginas;

    QSizeF tamanhoPagina() const { return papelMm * kUnidadesPorMm; }
};

// Builds every page of the report from the rows: headers on every page, a data band per row,
// the footer once after the last row when there is one. Errors of the templates raise Erro.
RelatorioPreparado PrepararPaginas(const ModeloRelatorio& modelo, const TabelaDados& dados,
                                   const QString& nomeArquivo);

// A report template with its last prepared pages and, while one is open, its preview window.
class Relatorio {
public:
    explicit Relatorio(ModeloRelatorio modelo);
    // The preview window goes with its report.
    ~Relatorio();
    Relatorio(const Relatorio&) = delete;
    Relatorio& operator=(const Relatorio&) = delete;

    ModeloRelatorio& modelo() { return m_modelo; }
    const ModeloRelatorio& modelo() const { return m_modelo; }

    // Discards the pages prepared before and builds new ones; after an error there are none.
    void Preparar(const TabelaDados& dados, const QString& nomeArquivo);
    // Null until the first preparation. Holders keep their pages even when the report is
    // prepared again.
    std::shared_ptr<const RelatorioPreparado> preparado() const { return m_preparado; }

    // The window showing the pages; forgotten by itself once the window is destroyed.
    QObject* janela() const { return m_janela; }
    void definirJanela(QObject* janela) { m_janela = janela; }

private:
    ModeloRelatorio m_modelo;
    std::shared_ptr<const RelatorioPreparado> m_preparado;
    QPointer<QObject> m_janela;
};
